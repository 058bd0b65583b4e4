#pragma once

#include "screens/registration/stouroku.h"
#include "store/productfile.h"
#include "tests/support/screenfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The registration screen over a working folder with user.dat naming an
// installed printer and the products on the hard disk.
struct RegistrationFixture : testsupport::ScreenFixture
{
    RegistrationFixture()
    {
        printers->addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        writeUserDat({QStringLiteral("SATO_T408v"), QStringLiteral("1740"), QStringLiteral("110"), QStringLiteral("しない"),
                      QStringLiteral("ハードディスク"), QStringLiteral("0000"), QStringLiteral("ソフトウェアにて生成"),
                      QStringLiteral("1740"), QStringLiteral("20")});
    }

    store::ProductFile products() const { return store::ProductFile(store::productFilePaths(work.path())); }
    QByteArray productBytes() const
    {
        QFile file(products().paths().product);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<screens::S_Touroku> open()
    {
        auto screen = std::make_unique<screens::S_Touroku>(context());
        screen->show();
        return screen;
    }
};

template <typename T>
T *control(QWidget *screen, const char *name)
{
    T *found = screen->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

inline QLineEdit *box(QWidget *screen, const char *name)
{
    return control<QLineEdit>(screen, name);
}

inline QString shown(QWidget *screen, const char *name)
{
    if (auto *line = screen->findChild<QLineEdit *>(QLatin1String(name)))
        return line->text();
    if (auto *lines = screen->findChild<QPlainTextEdit *>(QLatin1String(name)))
        return lines->toPlainText();
    if (auto *combo = screen->findChild<QComboBox *>(QLatin1String(name)))
        return combo->currentText();
    if (auto *button = screen->findChild<QPushButton *>(QLatin1String(name)))
        return button->text();
    return control<QLabel>(screen, name)->text();
}

inline void press(QWidget *screen, const char *name)
{
    QTest::mouseClick(control<QPushButton>(screen, name), Qt::LeftButton);
}

inline QStringList listed(QWidget *screen)
{
    QStringList entries;
    auto *list = control<QListWidget>(screen, "List1");
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}
