#include "tests/support/labelfixture.h"

#include <QTest>

namespace {

const QString kPortrait = QString::fromUtf16(engine::kPortraitLabel);
const QString kLandscape = QString::fromUtf16(engine::kLandscapeLabel);
const QString kSmall = QString::fromUtf16(engine::kSmallLabel);
const QString kByAddedDays = QStringLiteral("加算日計算での日付表示");
const QString kAltText = QStringLiteral("別途記載での日付表示");

// Each drawText call as "x y size bold text": a call starts again at the left.
QStringList drawnRuns(const LabelFixture &fixture)
{
    QStringList runs;
    double lastX = 1e9;
    for (const QString &record : fixture.lines(QStringLiteral("text"))) {
        const QStringList f = record.split(u'\t');
        const double x = f.at(2).toDouble();
        if (x <= lastX)
            runs.append(QStringList{f.at(2), f.at(3), f.at(5), f.at(6), QString()}.join(u' '));
        runs.last().append(f.at(9));
        lastX = x;
    }
    return runs;
}

QStringList rules(const LabelFixture &fixture)
{
    QStringList found;
    for (const QString &line : fixture.lines(QStringLiteral("line")))
        found.append(line.split(u'\t').mid(2, 4).join(u' '));
    return found;
}

QString blanks(int n)
{
    return QString(n, u' ');
}

} // namespace

class TestExpiryBlock : public QObject
{
    Q_OBJECT

private slots:
    void block_data()
    {
        QTest::addColumn<QString>("labelSize");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("lineIndexAfter");
        QTest::addColumn<QDateTime>("baseDateAfter");
        QTest::addColumn<QString>("separator"); // the first rule drawn, or empty

        const QString ruled = QStringLiteral("ooooooooooo");
        const QString unruled = QStringLiteral("ooooxoooooo");
        const QDateTime base(QDate(2023, 12, 31), QTime(10, 0));
        const QDateTime expiry(QDate(2024, 1, 2), QTime(22, 0));
        const QString date = QStringLiteral("2024/01/02 22:00");

        QTest::newRow("ruled: colon shown as a blank, date after nine blanks")
            << kPortrait << ruled << 0 << "消費期限:" << kByAddedDays << "YYYY/MM/DD hh:mm"
            << QStringList{"120 116 8 0 消費期限 ", "120 116 8 0 " + blanks(9) + date} << 1 << expiry
            << "100 300 738 300";
        QTest::newRow("unruled: colon kept")
            << kPortrait << unruled << 2 << "賞味期限:" << kByAddedDays << "YYYY/MM/DD hh:mm"
            << QStringList{"120 516 8 0 賞味期限:", "120 516 8 0 " + blanks(9) + date} << 3 << expiry << "";
        QTest::newRow("bold pattern: bold full-width date")
            << kPortrait << ruled << 0 << "消費期限:" << kByAddedDays << "<b>YYYY/MM/DD"
            << QStringList{"120 116 8 0 消費期限 ", "120 116 8 1 " + blanks(9) + "２０２４／０１／０２"} << 1
            << expiry << "100 300 738 300";
        QTest::newRow("alternative text, base date untouched")
            << kPortrait << ruled << 0 << "消費期限:" << kAltText << "YYYY/MM/DD"
            << QStringList{"120 116 8 0 消費期限 ", "120 116 8 0 " + blanks(9) + "枠外に記載"} << 1 << base
            << "100 300 738 300";
        QTest::newRow("placement phrase printed as it stands")
            << kPortrait << ruled << 0 << "消費期限:" << "裏面下部に記載" << "YYYY/MM/DD"
            << QStringList{"120 116 8 0 消費期限 ", "120 116 8 0 " + blanks(9) + "裏面下部に記載"} << 1 << base
            << "100 300 738 300";
        QTest::newRow("bold title: the indent counts the tag")
            << kPortrait << ruled << 0 << "<b>賞味期限:" << kAltText << ""
            << QStringList{"120 116 8 1 賞味期限 ", "120 116 8 0 " + blanks(12) + "枠外に記載"} << 1 << base
            << "100 300 738 300";
        QTest::newRow("small label: no box, 6 points, colon kept")
            << kSmall << ruled << 1 << "消費期限:" << kByAddedDays << "YY.M.D"
            << QStringList{"120 251 6 0 消費期限:", "120 251 6 0 " + blanks(9) + "24.1.2"} << 2 << expiry << "";
        QTest::newRow("landscape: the landscape box")
            << kLandscape << ruled << 0 << "消費期限:" << kByAddedDays << "YYYY/MM/DD hh:mm"
            << QStringList{"120 116 8 0 消費期限 ", "120 116 8 0 " + blanks(9) + date} << 1 << expiry
            << "100 300 738 300";
        QTest::newRow("hidden title: nothing, no line, date kept")
            << kPortrait << ruled << 3 << "表示しない:" << kByAddedDays << "YYYY/MM/DD" << QStringList{} << 3 << base
            << "";
        QTest::newRow("hidden title without colon") << kLandscape << ruled << 3 << "表示しない" << kAltText << ""
                                                    << QStringList{} << 3 << base << "";
        QTest::newRow("empty title: the date takes its own line, not the one above")
            << kPortrait << unruled << 3 << "" << kByAddedDays << "M/D" << QStringList{"120 716 8 0 1/2"} << 4 << expiry
            << "";
    }
    void block()
    {
        QFETCH(QString, labelSize);
        QFETCH(QString, mask);
        QFETCH(int, lineIndex);
        QFETCH(QString, title);
        QFETCH(QString, method);
        QFETCH(QString, format);
        QFETCH(QStringList, expected);
        QFETCH(int, lineIndexAfter);
        QFETCH(QDateTime, baseDateAfter);
        QFETCH(QString, separator);

        LabelFixture fixture;
        engine::LabelJob job;
        job.toPrinter = true;
        job.baseDate = QDateTime(QDate(2023, 12, 31), QTime(10, 0));
        job[engine::LabelJob::LabelSize] = labelSize;
        job[engine::LabelJob::RuledLines] = mask;
        job[engine::LabelJob::RecycleMark] = QStringLiteral("なし");
        job[engine::LabelJob::ExpiryTitle] = title;
        job[engine::LabelJob::ExpiryFormat] = format;
        job[engine::LabelJob::ExpiryAddDays] = QStringLiteral("2.5");
        job[engine::LabelJob::ExpiryAltText] = QStringLiteral("枠外に記載");
        job[engine::LabelJob::ExpiryDisplayMethod] = method;
        fixture.renderer->beginLabel(job);
        fixture.recording.clear();
        fixture.renderer->originX = fixture.renderer->landscapeOriginX = 100;
        fixture.renderer->originY = fixture.renderer->landscapeOriginY = 114;
        fixture.renderer->lineIndex = lineIndex;
        const qint32 boxCursorBefore = fixture.renderer->boxCursorY;

        fixture.renderer->drawExpiryBlock();

        QCOMPARE(drawnRuns(fixture), expected);
        QCOMPARE(fixture.renderer->lineIndex, lineIndexAfter);
        QCOMPARE(fixture.renderer->baseDate, baseDateAfter);
        const QStringList drawnRules = rules(fixture);
        QCOMPARE(drawnRules.isEmpty() ? QString() : drawnRules.first(), separator);
        if (expected.isEmpty())
            QCOMPARE(fixture.renderer->boxCursorY, boxCursorBefore);
        QVERIFY(fixture.lines(QStringLiteral("message")).isEmpty());
    }

    // The expiry date is the label's date from the expiry line on; the next
    // label starts again from the job's date.
    void laterDateFieldsShowTheExpiryDate()
    {
        LabelFixture fixture;
        engine::LabelJob job;
        job.toPrinter = true;
        job.baseDate = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
        job[engine::LabelJob::LabelSize] = kPortrait;
        job[engine::LabelJob::ExpiryTitle] = QStringLiteral("消費期限:");
        job[engine::LabelJob::ExpiryFormat] = QStringLiteral("M/D");
        job[engine::LabelJob::ExpiryAddDays] = QStringLiteral("3");
        job[engine::LabelJob::ExpiryDisplayMethod] = kByAddedDays;
        for (int label = 0; label < 2; ++label) {
            fixture.renderer->beginLabel(job);
            fixture.recording.clear();
            fixture.renderer->drawExpiryBlock();
            fixture.renderer->drawFieldLines(QStringLiteral("<d>MM月DD日 hh:mm"), 3);
            const QStringList runs = drawnRuns(fixture);
            QCOMPARE(runs.size(), 3);
            QVERIFY2(runs.at(1).endsWith(QStringLiteral("3/8")), qPrintable(runs.at(1)));
            QVERIFY2(runs.at(2).endsWith(QStringLiteral(" 03月08日 09:07")), qPrintable(runs.at(2)));
        }
    }
};

QTEST_GUILESS_MAIN(TestExpiryBlock)
#include "tst_expiryblock.moc"
