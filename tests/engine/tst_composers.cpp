#include "engine/compose/composelabel.h"
#include "engine/compose/labeltexts.h"
#include "engine/compose/landscapecomposer.h"
#include "engine/compose/portraitcomposer.h"
#include "engine/render/markpictures.h"
#include "engine/render/printerpagetarget.h"
#include "store/usersettings.h"
#include "tests/support/labelfixture.h"

#include <QTest>

using engine::LabelJob;

namespace {

LabelJob fullJob(const QString &size, bool toPrinter)
{
    LabelJob job;
    job[LabelJob::Number] = QStringLiteral("0001");
    job[LabelJob::ProductName] = QStringLiteral("品名:幕の内弁当<m>社内メモ");
    job[LabelJob::CategoryName] = QStringLiteral("名称:弁当");
    job[LabelJob::Ingredients] = QStringLiteral("原材料名:ご飯、鮭？卵焼き、煮物、漬物");
    job[LabelJob::NetContent] = QStringLiteral("内容量:1");
    job[LabelJob::NetContentUnit] = QStringLiteral("個");
    job[LabelJob::ExpiryTitle] = QStringLiteral("消費期限:");
    job[LabelJob::ExpiryFormat] = QStringLiteral("<b>yyyy.mm.dd");
    job[LabelJob::ExpiryAddDays] = QStringLiteral("1");
    job[LabelJob::Storage] = QStringLiteral("保存方法:要冷蔵");
    job[LabelJob::Spare1] = QStringLiteral("<d>製造 yyyy.mm.dd");
    job[LabelJob::Responsible] = QStringLiteral("製造者:さくら食品");
    job[LabelJob::Barcode] = QStringLiteral("4901234567894");
    job[LabelJob::RecycleMark] = QStringLiteral("プラ");
    job[LabelJob::ExpiryDisplayMethod] = QStringLiteral("加算日計算での日付表示");
    job[LabelJob::LabelSize] = size;
    job[LabelJob::RuledLines] = QStringLiteral("ooooooooooo");
    job[LabelJob::CopyCount] = QStringLiteral("1");
    job.baseDate = QDateTime(QDate(2026, 3, 5), QTime(9, 7));
    job.toPrinter = toPrinter;
    return job;
}

void compose(engine::LabelRenderer &r, const LabelJob &job)
{
    QVERIFY(engine::composeLabel(r, job));
}

store::UserSettings startingAt(int x, int y)
{
    store::UserSettings settings = store::UserSettings::defaults();
    settings.portraitStartX = QString::number(x);
    settings.portraitStartY = QString::number(y);
    settings.landscapeStartX = QString::number(y);
    settings.landscapeStartY = QString::number(x);
    return settings;
}

// The top edge of the bars: the smallest y of the filled boxes, or -1.
double topOfBars(const QStringList &boxes)
{
    double top = -1;
    for (const QString &box : boxes) {
        const double y = box.section(u'\t', 3, 3).toDouble();
        top = top < 0 ? y : std::min(top, y);
    }
    return top;
}

// Dark runs along a row (or a column) of a page between two dots: each bar
// of a symbol is one run.
int darkRuns(const QImage &page, int line, int from, int to, Qt::Orientation along = Qt::Horizontal)
{
    int runs = 0;
    bool dark = false;
    for (int i = from; i < to; ++i) {
        const QRgb pixel = along == Qt::Horizontal ? page.pixel(i, line) : page.pixel(line, i);
        const bool now = qGray(pixel) < 128;
        if (now && !dark)
            ++runs;
        dark = now;
    }
    return runs;
}

} // namespace

class TestComposers : public QObject
{
    Q_OBJECT

private slots:
    void productName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("memo cut") << "幕の内<m>メモ" << "幕の内";
        QTest::newRow("upper-case tag") << "幕の内<M>メモ" << "幕の内";
        QTest::newRow("first tag wins") << "a<m>b<m>c" << "a";
        QTest::newRow("tag at the start") << "<m>メモ" << "";
        QTest::newRow("tag at the end stays") << "幕の内<m>" << "幕の内<m>";
        QTest::newRow("one character after the tag") << "幕の内<m>x" << "幕の内";
        QTest::newRow("short") << "<m" << "<m";
        QTest::newRow("no tag") << "幕の内弁当" << "幕の内弁当";
    }
    void productName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(engine::labelProductName(name), shown);
    }

    void ingredients_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("extended");
        QTest::newRow("half-width") << "米?塩" << true << "米" << "塩";
        QTest::newRow("full-width, first one") << "米？塩?水" << true << "米" << "塩?水";
        QTest::newRow("leading mark") << "？塩" << true << "" << "塩";
        QTest::newRow("none") << "米、塩" << false << "米、塩" << "";
    }
    void ingredients()
    {
        QFETCH(QString, text);
        QFETCH(bool, split);
        QFETCH(QString, main);
        QFETCH(QString, extended);
        const engine::IngredientsParts parts = engine::splitIngredients(text);
        QCOMPARE(parts.split, split);
        QCOMPARE(parts.main, main);
        QCOMPARE(parts.extended, extended);
    }

    void secondLabelLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("100 half-width, landscape") << QString(100, u'a') << 46 << QList{46, 46, 8};
        QTest::newRow("60 half-width, portrait") << QString(60, u'a') << 30 << QList{30, 30};
        QTest::newRow("73 half-width, small") << QString(73, u'a') << 36 << QList{36, 36, 1};
        // A full-width character arriving at 45 overhangs: the next line starts at 1.
        QTest::newRow("overhang") << QString(45, u'a') + QString(46, u'あ') << 46 << QList{45, 23, 23};
        QTest::newRow("empty") << QString() << 30 << QList<int>{};
    }
    void secondLabelLines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QList<int>, lengths);
        QList<int> got;
        for (const QString &line : engine::secondLabelLines(text, width))
            got.append(int(line.size()));
        QCOMPARE(got, lengths);
    }

    // The issuing job draws copies by composing the same job again.
    void sameJobTwice_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("toPrinter");
        for (const char16_t *size : {engine::kPortraitLabel, engine::kLandscapeLabel, engine::kSmallLabel}) {
            const QString name = QString::fromUtf16(size);
            QTest::newRow(qPrintable(name + QStringLiteral(" printed"))) << name << true;
            QTest::newRow(qPrintable(name + QStringLiteral(" preview"))) << name << false;
        }
    }
    void sameJobTwice()
    {
        QFETCH(QString, size);
        QFETCH(bool, toPrinter);
        LabelFixture fixture;
        const LabelJob job = fullJob(size, toPrinter);
        const LabelJob before = job;

        compose(*fixture.renderer, job);
        const QStringList first = fixture.recording.lines();
        QVERIFY(first.size() > 20);
        fixture.recording.clear();
        compose(*fixture.renderer, job);
        QCOMPARE(fixture.recording.lines(), first);
        QVERIFY(job.buffer == before.buffer);
        QCOMPARE(job.baseDate, before.baseDate);
        // The origins the label moved are back where user.dat has them.
        QCOMPARE(fixture.renderer->originX, fixture.renderer->savedOrigins.originX);
    }

    // The bars go below the text only while the text ends above 3170 twips,
    // and move 70 twips down once it ends below 3100.
    void barcodeBelowText_data()
    {
        QTest::addColumn<int>("textBottom");
        QTest::addColumn<int>("barsTop"); // relative to originY; -1: no bars
        QTest::newRow("ends at 3100") << 3100 << 3020;
        QTest::newRow("ends at 3101") << 3101 << 3090;
        QTest::newRow("ends at 3169") << 3169 << 3090;
        QTest::newRow("ends at 3170") << 3170 << -1;
    }
    void barcodeBelowText()
    {
        QFETCH(int, textBottom);
        QFETCH(int, barsTop);
        LabelFixture fixture;
        LabelJob job = fullJob(QString::fromUtf16(engine::kPortraitLabel), true);
        job[LabelJob::RecycleMark] = QStringLiteral("なし");
        fixture.useSettings(startingAt(100, 110));
        engine::composePortraitLabel(*fixture.renderer, job);
        const int lines = fixture.renderer->lineIndex;
        QVERIFY(lines > 5);

        const int originY = textBottom - 2 - 200 * lines;
        fixture.useSettings(startingAt(100, originY));
        fixture.recording.clear();
        engine::composePortraitLabel(*fixture.renderer, job);
        QCOMPARE(fixture.renderer->lineIndex, lines);
        const double top = topOfBars(fixture.lines(QStringLiteral("box")));
        if (barsTop < 0) {
            QCOMPARE(top, -1.0);
        } else {
            // The printer page puts the bars on whole dots: within one dot.
            QVERIFY2(std::abs(top - (originY + barsTop)) < 7.1, qPrintable(QString::number(top)));
        }
        // Printing says nothing about a barcode left out.
        QVERIFY(fixture.lines(QStringLiteral("message")).isEmpty());
    }

    // On paper: the label's text, boxes and bars in ink, the second label on
    // a page of its own. SAKURABE_LABEL_PNG_DIR keeps the pages to look at.
    void printedPages_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QRect>("bars"); // twips: where the symbol's bars stand
        QTest::addColumn<int>("barCount");
        QTest::newRow("portrait") << QString::fromUtf16(engine::kPortraitLabel) << QRect(220, 3130, 1350, 350) << 30;
        // Turned, the bars cross a column: 30 bars again.
        QTest::newRow("landscape") << QString::fromUtf16(engine::kLandscapeLabel) << QRect(3100, 260, 350, 1380) << 30;
        QTest::newRow("small") << QString::fromUtf16(engine::kSmallLabel) << QRect(0, 0, 0, 0) << 0;
    }
    void printedPages()
    {
        QFETCH(QString, size);
        QFETCH(QRect, bars);
        QFETCH(int, barCount);
        platform::FakePrinterSystem system;
        // A "2130" printer puts the turned label where the page begins.
        const QString name = QStringLiteral("SATO_CT4-LX_2130");
        system.addPrinter({name, 203, platform::FakePrinterSystem::labelPrinterForms(), size == engine::kSmallLabel ? 513 : 515});
        std::unique_ptr<platform::Printer> printer = system.open(name);
        engine::PrinterPageTarget page(*printer);
        engine::Recording messages;
        platform::RecordingProgramExit exit;
        QTemporaryDir folder;
        engine::ensureMarkPictures(folder.path());
        engine::LabelRenderer renderer(engine::RendererServices{printer.get(), &page, nullptr, &messages, &exit,
                                                                folder.path(), startingAt(100, 110)});
        compose(renderer, fullJob(size, true));
        QVERIFY(printer->endDocument());

        const QList<platform::FakeDocument> &documents = system.record(name).documents;
        QCOMPARE(documents.size(), 1);
        QCOMPARE(documents.first().pages.size(), 2);
        const QString keep = qEnvironmentVariable("SAKURABE_LABEL_PNG_DIR");
        for (qsizetype i = 0; i < documents.first().pages.size(); ++i) {
            const QImage &image = documents.first().pages.at(i).image;
            if (!keep.isEmpty())
                image.save(QStringLiteral("%1/%2-%3.png").arg(keep, QTest::currentDataTag()).arg(i + 1));
            // The first line of text is inked on both labels.
            const int dotsPerInch = printer->resolution();
            const auto dot = [dotsPerInch](int twips) { return twips * dotsPerInch / 1440; };
            int inked = 0;
            for (int y = dot(100); y < dot(330); ++y)
                inked += darkRuns(image, y, 0, image.width());
            QVERIFY2(inked > 50, qPrintable(QString::number(inked)));
        }
        if (barCount > 0) {
            const QImage &image = documents.first().pages.first().image;
            const int dpi = printer->resolution();
            if (bars.width() > bars.height()) {
                const int row = (bars.top() + bars.height() / 2) * dpi / 1440;
                QCOMPARE(darkRuns(image, row, bars.left() * dpi / 1440 - 2, (bars.right() + 20) * dpi / 1440), barCount);
            } else {
                const int column = (bars.left() + bars.width() / 2) * dpi / 1440;
                QCOMPARE(darkRuns(image, column, bars.top() * dpi / 1440, (bars.bottom() + 20) * dpi / 1440,
                                  Qt::Vertical),
                         barCount);
            }
        }
    }
};

QTEST_MAIN(TestComposers)
#include "tst_composers.moc"
