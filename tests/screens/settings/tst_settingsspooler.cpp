#include "platform/clock.h"
#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "print/ui/paperselectionwindow.h"
#include "screens/settings/settei.h"
#include "tests/support/modalanswer.h"
#include "tests/support/screenfixture.h"
#include "tests/support/spooler.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The settings screen on the private spooler's queues.
class TestSettingsSpooler : public QObject
{
    Q_OBJECT

    testsupport::ScreenFixture m_f;
    std::unique_ptr<platform::CupsPrinterSystem> m_cups;

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler);
        m_cups = std::make_unique<platform::CupsPrinterSystem>(m_f.clock, platform::PdfPrinter::outputFolder(m_f.work.path()));
        m_f.printerSystem = m_cups.get();
        m_f.writeUserDat({QStringLiteral("ﾌﾟﾘﾝﾀｰをお選び下さい"), QStringLiteral("1740"), QStringLiteral("110"),
                          QStringLiteral("しない"), QStringLiteral("ハードディスク"), QStringLiteral("0000"),
                          QStringLiteral("ソフトウェアにて生成"), QStringLiteral("1740"), QStringLiteral("20")});
    }

    // Every queue of the spooler, in its order, and the built-in PDF printer.
    void listsTheQueuesAndThePdfPrinter()
    {
        screens::Settei screen(m_f.context());
        auto *combo = screen.findChild<QComboBox *>(QStringLiteral("Combo1"));
        QStringList listed;
        for (int i = 0; i < combo->count(); ++i)
            listed.append(combo->itemText(i));
        QCOMPARE(listed, m_cups->printerNames());
        for (const char *queue : {"SATO_CT4-LX_2130", "SATO_T408v", "SATO_T412v"})
            QVERIFY2(listed.contains(QLatin1String(queue)), queue);
        QCOMPARE(listed.constLast(), platform::pdfPrinterName());
    }

    // The paper list of the 2130 queue is its driver's media, by number.
    void paperListOfThe2130Queue()
    {
        screens::Settei screen(m_f.context());
        screen.show();
        auto *combo = screen.findChild<QComboBox *>(QStringLiteral("Combo1"));
        const int index = combo->findText(QStringLiteral("SATO_CT4-LX_2130"));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        QStringList entries;
        testsupport::answerNextModal<print::PaperSelectionWindow>([&](print::PaperSelectionWindow *window) {
            QTRY_VERIFY(!window->searching());
            auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
            for (int i = 0; i < list->count(); ++i)
                entries.append(list->item(i)->text());
            window->close();
        });
        QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
        QCOMPARE(entries, (QStringList{QStringLiteral("0009:210mmx297mmラベル "), QStringLiteral("0513:40mmx28mmラベル "),
                                       QStringLiteral("0514:47mmx65mmラベル "), QStringLiteral("0515:45mmx65mmラベル "),
                                       QStringLiteral("0516:65mmx45mmラベル "), QStringLiteral("0517:38mmx28mmラベル ")}));
    }
};

QTEST_MAIN(TestSettingsSpooler)
#include "tst_settingsspooler.moc"
