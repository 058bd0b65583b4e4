#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/paperform.h"
#include "platform/pdfprinter.h"
#include "store/settingsdefaults.h"
#include "tests/spooler/pdfprobe.h"
#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using platform::Orientation;
using platform::PdfPrinter;

class TestPdfPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    platform::FixedClock m_clock{QDateTime(QDate(2025, 1, 31), QTime(9, 30, 5))};

    QString folder() const { return PdfPrinter::outputFolder(m_work.path()); }

    std::unique_ptr<PdfPrinter> makePrinter(std::shared_ptr<int> defaults = {})
    {
        return std::make_unique<PdfPrinter>(m_clock, folder(), std::move(defaults));
    }

    QStringList files() const
    {
        return QDir(folder()).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        platform::installFontSubstitutions();
    }

    void cleanup()
    {
        QDir(folder()).removeRecursively();
    }

    void labelFontStandsIn_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("Japanese name") << QStringLiteral("ＭＳ ゴシック");
        QTest::newRow("English name") << QStringLiteral("MS Gothic");
    }

    void labelFontStandsIn()
    {
        QFETCH(QString, family);
        QCOMPARE(QFontInfo(QFont(family)).family(), QStringLiteral("IPAGothic"));
    }

    void nameIsNoLabelPrinterFamily()
    {
        for (const char *code : {"T8", "R8", "T12", "R12", "408v", "412v", "2130"})
            QVERIFY2(!platform::pdfPrinterName().contains(QLatin1String(code)), code);
    }

    // A label drawn from the default start positions lies wholly on the
    // medium the printer starts on, standing or lying.
    void startMediumHoldsWholeLabel()
    {
        auto printer = makePrinter();
        QCOMPARE(printer->paperSize(), PdfPrinter::defaultPaperNumber());
        const int label45 = qRound(45 * 1440 / 25.4);
        const int label65 = qRound(65 * 1440 / 25.4);
        QVERIFY(printer->pageWidthTwips() >= store::kDefaultPortraitStartX + label45);
        QVERIFY(printer->pageHeightTwips() >= store::kDefaultPortraitStartY + label65);
        printer->setOrientation(Orientation::Landscape);
        // Landscape labels start 2870 twips right of the landscape vertical
        // start on printers outside the 2130 family; the settings trade places.
        QVERIFY(printer->pageWidthTwips() >= store::kDefaultLandscapeStartY + 2870 + label65);
        QVERIFY(printer->pageHeightTwips() >= store::kDefaultLandscapeStartX + label45);
    }

    void offersLabelMedia()
    {
        auto printer = makePrinter();
        QList<int> numbers;
        for (const platform::PaperForm &form : printer->paperForms())
            numbers.append(form.number);
        QCOMPARE(numbers, (QList<int>{513, 514, 515, 516, 517, 9, 518}));
        QCOMPARE(printer->resolution(), 203);
        QVERIFY(printer->setPaperSize(513));
        QCOMPARE(printer->pageWidthTwips(), 2268);
        QCOMPARE(printer->pageHeightTwips(), 1587);
        // A number it does not offer changes nothing.
        QVERIFY(!printer->setPaperSize(1));
        QVERIFY(!printer->selectPaperForm(600));
        QCOMPARE(printer->paperSize(), 513);
    }

    // One page with Japanese text in the label font, drawn in twips: the
    // file is named by the clock and holds the text where it was put, in
    // IPAGothic standing in for the Windows font.
    void writesDocumentAsFile()
    {
        auto printer = makePrinter();
        QVERIFY(printer->setPaperSize(514));
        QPainter *painter = printer->painter();
        QVERIFY(!printer->failed());
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPointSize(8);
        painter->setFont(font);
        painter->drawText(QRect(1440, 1440, 3000, 400), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("原材料名：小麦粉"));
        painter->drawText(1440, 2400, QStringLiteral("100g"));
        QVERIFY(printer->endDocument());

        QCOMPARE(files(), QStringList{QStringLiteral("20250131-093005.pdf")});
        const QString path = QDir(folder()).filePath(files().first());
        QCOMPARE(printer->lastFile(), path);
        // Qt writes pages in whole points: 47 x 65 mm is 133 x 184 points.
        QCOMPARE(testsupport::pdfPageSize(path), QSizeF(133, 184));
        QVERIFY(testsupport::pdfText(path).contains(QStringLiteral("原材料名：小麦粉")));
        // Half-width text too: no other font fills in.
        QCOMPARE(testsupport::pdfFonts(path), QStringList{QStringLiteral("IPAGothic")});
        // 1440 twips are one inch: 72 points from the left.
        const QRectF box = testsupport::pdfWordBox(path, QStringLiteral("原材料名：小麦粉"));
        QVERIFY2(qAbs(box.left() - 72) < 1, qPrintable(QString::number(box.left())));
        QVERIFY2(box.top() >= 72 && box.top() < 75, qPrintable(QString::number(box.top())));
        // Eight characters of an 8-point full-width font.
        QVERIFY2(qAbs(box.width() - 64) < 2, qPrintable(QString::number(box.width())));
    }

    // Pages take the paper and orientation set when they open.
    void pagesFollowSettings()
    {
        auto printer = makePrinter();
        QVERIFY(printer->setPaperSize(514));
        printer->painter()->drawLine(0, 0, 100, 100);
        QVERIFY(printer->newPage());
        printer->setOrientation(Orientation::Landscape);
        printer->painter()->drawLine(0, 0, 100, 100);
        printer->newPage();
        printer->setOrientation(Orientation::Portrait);
        QVERIFY(printer->setPaperSize(513));
        printer->painter()->drawLine(0, 0, 100, 100);
        QVERIFY(printer->endDocument());
        const QString path = printer->lastFile();
        QCOMPARE(testsupport::pdfPageCount(path), 3);
        QCOMPARE(testsupport::pdfPageSize(path, 1), QSizeF(133, 184));
        QCOMPARE(testsupport::pdfPageSize(path, 2), QSizeF(184, 133));
        QCOMPARE(testsupport::pdfPageSize(path, 3), QSizeF(113, 79));
    }

    void namesNeverOverwrite()
    {
        auto printer = makePrinter();
        for (int copies : {1, 1, 3}) {
            printer->setCopies(copies);
            printer->painter();
            QVERIFY(printer->endDocument());
        }
        QCOMPARE(files(), (QStringList{QStringLiteral("20250131-093005-2.pdf"), QStringLiteral("20250131-093005.pdf"),
                                       QStringLiteral("20250131-093005_3部.pdf")}));
    }

    void emptyDocumentWritesNothing()
    {
        auto printer = makePrinter();
        QVERIFY(printer->endDocument());
        QVERIFY(files().isEmpty());
    }

    void defaultFormIsShared()
    {
        auto defaults = std::make_shared<int>(PdfPrinter::defaultPaperNumber());
        QVERIFY(makePrinter(defaults)->selectPaperForm(513));
        QCOMPARE(makePrinter(defaults)->paperSize(), 513);
    }

    // A folder that cannot be made: the printer says so as soon as the
    // document begins, and nothing is written.
    void unusableFolderFails()
    {
        QFile blocker(folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto printer = makePrinter();
        printer->painter()->drawLine(0, 0, 10, 10);
        QVERIFY(printer->failed());
        QVERIFY(printer->error().startsWith(QStringLiteral("PDFファイルの保存先を作成できませんでした")));
        QVERIFY(!printer->endDocument());
        QVERIFY(QFile::remove(folder()));
    }

    // A full disk: no success, no file, no work file left behind.
    void failedWriteLeavesNothing()
    {
        auto printer = makePrinter();
        printer->painter()->drawText(100, 500, QStringLiteral("原材料名"));
        QVERIFY(QDir().mkpath(folder()));
        bool ended = true;
        {
            testsupport::FileSizeLimit limit(64);
            ended = printer->endDocument();
        }
        QVERIFY(!ended);
        QVERIFY(printer->failed());
        QVERIFY(printer->error().startsWith(QStringLiteral("PDFファイルの保存に失敗しました\r")));
        QVERIFY(files().isEmpty());
        // The next document starts afresh.
        printer->painter();
        QVERIFY(!printer->failed());
        QVERIFY(printer->endDocument());
        QCOMPARE(files().size(), 1);
    }
};

QTEST_MAIN(TestPdfPrinter)
#include "tst_pdfprinter.moc"
