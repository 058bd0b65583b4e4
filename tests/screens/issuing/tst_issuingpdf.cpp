#include "platform/cupsprintersystem.h"
#include "platform/pdfprinter.h"
#include "print/issuingjob.h"
#include "screens/issuing/insatsu.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/screenfixture.h"
#include "tests/support/spooler.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

// A shop's day on the issuing screen with the printer every machine has,
// "さくらべ PDF出力", among the private spooler's queues: the labels come out
// as PDF files in the working folder, and what they say is read back.
class TestIssuingPdf : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::ScreenFixture> m_f;
    std::unique_ptr<platform::CupsPrinterSystem> m_cups;

    // In the order they were made: the clock stands still, so a later file
    // of the same second has "-2", "-3" added to its name.
    QStringList pdfs() const
    {
        QStringList names = QDir(platform::PdfPrinter::outputFolder(m_f->work.path()))
                                .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
        std::stable_sort(names.begin(), names.end(),
                         [](const QString &a, const QString &b) { return a.size() < b.size(); });
        return names;
    }
    QString pdfPath(const QString &name) const
    {
        return QDir(platform::PdfPrinter::outputFolder(m_f->work.path())).filePath(name);
    }
    QLineEdit *box(QWidget *screen, const char *name) const
    {
        return screen->findChild<QLineEdit *>(QLatin1String(name));
    }
    // A value as the input method commits it, over the whole box.
    void commit(QWidget *screen, const char *name, const QString &text) const
    {
        QLineEdit *edit = box(screen, name);
        edit->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        edit->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
    void keys(const QString &typed, bool enter = true) const
    {
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (enter)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

private slots:
    void initTestCase() { QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler); }

    void init()
    {
        m_f = std::make_unique<testsupport::ScreenFixture>();
        m_cups = std::make_unique<platform::CupsPrinterSystem>(m_f->clock,
                                                               platform::PdfPrinter::outputFolder(m_f->work.path()));
        m_f->printerSystem = m_cups.get();
        m_f->writeUserDat({platform::pdfPrinterName(), QStringLiteral("1740"), QStringLiteral("110"), QStringLiteral("しない"),
                           QStringLiteral("ハードディスク"), QStringLiteral("0000"), QStringLiteral("ソフトウェアにて生成"),
                           QStringLiteral("1740"), QStringLiteral("20")});
        const store::ProductFile products =
            print::productFileFor(m_f->work.path(), m_f->settings.readOrDefaults(), QString());
        QVERIFY(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0001"))).ok);
        QVERIFY(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0012"), QStringLiteral("品名:特製ざるそば"))).ok);
    }

    // Number, a name changed for today, copies, and the keyboard's Enter to
    // print: the label says the changed name and tomorrow's date.
    void oneKindWithAChangedName()
    {
        screens::Insatsu screen(m_f->context());
        screen.show();
        screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        keys(QStringLiteral("1"));
        commit(&screen, "Text2", QStringLiteral("品名:特製幕の内"));
        box(&screen, "Text4")->setFocus(Qt::MouseFocusReason);
        keys(QStringLiteral("2"));
        keys(QString()); // Enter on the print button
        QVERIFY2(m_f->messages.shown().isEmpty(), qPrintable(m_f->messages.shown().join(u'\n')));
        const QStringList made = pdfs();
        QCOMPARE(made.size(), 1);
        QVERIFY2(made.constFirst().contains(QStringLiteral("_2部")), qPrintable(made.constFirst()));
        const QString text = testsupport::pdfText(pdfPath(made.constFirst()));
        QVERIFY2(text.contains(QStringLiteral("特製幕の内")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("2024/03/06")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("幕の内弁当")), qPrintable(text));
    }

    // Two products on the issue list, each registered with a base date of
    // its own: one document each, in the list's order, each with its date.
    void severalKindsPrintTheList()
    {
        screens::Insatsu screen(m_f->context());
        screen.show();
        screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("Command6")), Qt::LeftButton);
        const auto registerWithDay = [&](const QString &number, const QString &day) {
            box(&screen, "Text9")->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            keys(day, false);
            box(&screen, "Text1")->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            keys(number);
            keys(QStringLiteral("1"));
            keys(QString()); // Enter on 登録
        };
        registerWithDay(QStringLiteral("1"), QStringLiteral("10"));
        registerWithDay(QStringLiteral("12"), QStringLiteral("6"));
        QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("Command7")), Qt::LeftButton);
        QVERIFY2(m_f->messages.shown().isEmpty(), qPrintable(m_f->messages.shown().join(u'\n')));
        const QStringList made = pdfs();
        QCOMPARE(made.size(), 2);
        const QString first = testsupport::pdfText(pdfPath(made.at(0)));
        const QString second = testsupport::pdfText(pdfPath(made.at(1)));
        QVERIFY2(first.contains(QStringLiteral("幕の内弁当")) && first.contains(QStringLiteral("2024/03/11")), qPrintable(first));
        QVERIFY2(second.contains(QStringLiteral("特製ざるそば")) && second.contains(QStringLiteral("2024/03/07")),
                 qPrintable(second));
    }
};

QTEST_MAIN(TestIssuingPdf)
#include "tst_issuingpdf.moc"
