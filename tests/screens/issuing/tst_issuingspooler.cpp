#include "print/issuingjob.h"
#include "print/ui/previewwindow.h"
#include "screens/issuing/insatsu.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/jobnotingsystem.h"
#include "tests/support/sampleproduct.h"
#include "tests/support/screenfixture.h"
#include "tests/support/spooler.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// A shop's day on the issuing screen, printing on a label printer queue of
// the private spooler; what came out is read back from the queue's PDFs.
class TestIssuingSpooler : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::ScreenFixture> m_f;
    std::unique_ptr<testsupport::JobNotingSystem> m_spooler;

    QLineEdit *box(QWidget *screen, const char *name) const { return screen->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *button(QWidget *screen, const char *name) const
    {
        return screen->findChild<QPushButton *>(QLatin1String(name));
    }
    // A value as the input method commits it, over the whole box.
    void commit(QWidget *screen, const char *name, const QString &text) const
    {
        QLineEdit *edit = box(screen, name);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
    // Typed into the box that has the focus, then Enter.
    void type(const QString &typed) const
    {
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QStringList arrived() const
    {
        QStringList pdfs;
        for (const int job : std::as_const(m_spooler->jobs))
            pdfs.append(testsupport::waitForSpoolerJob(QStringLiteral("SATO_T408v"), job));
        return pdfs;
    }
    std::unique_ptr<screens::Insatsu> open() const
    {
        auto screen = std::make_unique<screens::Insatsu>(m_f->context());
        screen->show();
        screen->activateWindow();
        return screen;
    }

private slots:
    void initTestCase() { QVERIFY2(testsupport::spoolerRunning(), testsupport::kNoSpooler); }

    void init()
    {
        m_f = std::make_unique<testsupport::ScreenFixture>();
        m_spooler = std::make_unique<testsupport::JobNotingSystem>(m_f->clock, m_f->path(QStringLiteral("PDF")));
        m_f->printerSystem = m_spooler.get();
        // Collated copies on the 45 x 65 mm paper, the label from where it fits on it.
        m_f->writeUserDat({QStringLiteral("SATO_T408v"), QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("する"),
                           QStringLiteral("ハードディスク"), QStringLiteral("0515"), QStringLiteral("ソフトウェアにて生成"),
                           QStringLiteral("1740"), QStringLiteral("20")});
        const store::ProductFile products = print::productFileFor(m_f->work.path(), m_f->settings.readOrDefaults(), QString());
        QVERIFY(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0001"))).ok);
        QVERIFY(products.saveRecord(testsupport::sampleProduct(QStringLiteral("0012"), QStringLiteral("品名:特製ざるそば"))).ok);
    }

    // Number, a name changed for today, 3 copies and Enter on 印刷: one job
    // of three identical pages, each with the expiry date the screen showed.
    void oneKindThreeCollatedCopies()
    {
        const auto screen = open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        type(QStringLiteral("1"));
        const QString shown = box(screen.get(), "Text12")->text();
        const QString date = QRegularExpression(QStringLiteral("\\d{4}/\\d{2}/\\d{2}")).match(shown).captured();
        QVERIFY2(!date.isEmpty(), qPrintable(shown));
        commit(screen.get(), "Text2", QStringLiteral("品名:特製幕の内"));
        box(screen.get(), "Text4")->setFocus(Qt::MouseFocusReason);
        type(QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter on the print button
        QVERIFY2(m_f->messages.shown().isEmpty(), qPrintable(m_f->messages.shown().join(u'\n')));

        const QStringList pdfs = arrived();
        QCOMPARE(pdfs.size(), 1);
        QVERIFY2(!pdfs.constFirst().isEmpty(), "the job never arrived");
        QCOMPARE(testsupport::pdfPageCount(pdfs.constFirst()), 3);
        const QStringList pages = testsupport::pdfText(pdfs.constFirst()).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 3);
        for (const QString &page : pages) {
            QCOMPARE(page, pages.constFirst());
            QVERIFY2(page.contains(date), qPrintable(page));
            QVERIFY2(page.contains(QStringLiteral("特製幕の内")), qPrintable(page));
        }
    }

    // Three entries, the first deleted: two jobs, in the list's order.
    void severalKindsPrintTheList()
    {
        const auto screen = open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QTest::mouseClick(button(screen.get(), "Command6"), Qt::LeftButton);
        for (const char *number : {"1", "12", "1"}) {
            box(screen.get(), "Text1")->setFocus(Qt::MouseFocusReason);
            box(screen.get(), "Text1")->selectAll();
            type(QLatin1String(number));
            type(QStringLiteral("1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter on 登録
        }
        auto *list = screen->findChild<QListWidget *>(QStringLiteral("List2"));
        QCOMPARE(list->count(), 3);
        list->setCurrentRow(0);
        QTest::mouseClick(button(screen.get(), "Command8"), Qt::LeftButton);
        QCOMPARE(list->count(), 2);
        QTest::mouseClick(button(screen.get(), "Command7"), Qt::LeftButton);
        QVERIFY2(m_f->messages.shown().isEmpty(), qPrintable(m_f->messages.shown().join(u'\n')));

        const QStringList pdfs = arrived();
        QCOMPARE(pdfs.size(), 2);
        QVERIFY2(!pdfs.at(0).isEmpty() && !pdfs.at(1).isEmpty(), "a job never arrived");
        QVERIFY(testsupport::pdfText(pdfs.at(0)).contains(QStringLiteral("特製ざるそば")));
        QVERIFY(testsupport::pdfText(pdfs.at(1)).contains(QStringLiteral("幕の内弁当")));
    }

    // The preview opens with the label, sized for the queue's head.
    void previewOpens()
    {
        const auto screen = open();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        type(QStringLiteral("12"));
        QTest::mouseClick(button(screen.get(), "Command2"), Qt::LeftButton);
        print::PreviewWindow *preview = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *p = qobject_cast<print::PreviewWindow *>(window); p && p->isVisible())
                preview = p;
        }
        QVERIFY(preview);
        QCOMPARE(preview->geometry().shown.twips.width(), 5600.0); // a 203-dpi head
        const QImage label = preview->shownImage(engine::TargetKind::First);
        int dark = 0;
        for (int y = 0; y < label.height(); y += 2)
            for (int x = 0; x < label.width(); x += 2)
                dark += qGray(label.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY(dark > 50);
        QVERIFY(m_spooler->jobs.isEmpty());
    }
};

QTEST_MAIN(TestIssuingSpooler)
#include "tst_issuingspooler.moc"
