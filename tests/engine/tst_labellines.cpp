#include "engine/render/labellines.h"

#include <QTest>

// The line-break rule that both a field's ruled box and its drawn lines
// follow: width units only, the passing character kept, and one half-width
// character more when the limit is passed by one unit.
class TestLabelLines : public QObject
{
    Q_OBJECT

private slots:
    void breaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("start");
        QTest::addColumn<int>("limit");
        QTest::addColumn<qsizetype>("end");
        QTest::addColumn<bool>("full");
        const QString kanji14 = QString(14, QChar(u'あ'));
        QTest::newRow("the text runs out") << "abc" << qsizetype(0) << 29 << qsizetype(3) << false;
        QTest::newRow("exactly the limit") << QString(29, u'a') << qsizetype(0) << 29 << qsizetype(29) << false;
        QTest::newRow("passing by one at the end") << QString(30, u'a') << qsizetype(0) << 29 << qsizetype(30) << true;
        QTest::newRow("passing by one, a half-width joins") << QString(32, u'a') << qsizetype(0) << 29 << qsizetype(31) << true;
        QTest::newRow("a full-width passes by one, a half-width joins")
            << kanji14 + QStringLiteral("あbc") << qsizetype(0) << 29 << qsizetype(16) << true;
        QTest::newRow("a full-width after it does not join")
            << kanji14 + QStringLiteral("aaあ") << qsizetype(0) << 29 << qsizetype(16) << true;
        QTest::newRow("a full-width passes by two, nothing joins")
            << kanji14 + QStringLiteral("aあb") << qsizetype(0) << 29 << qsizetype(16) << true;
        QTest::newRow("from the middle") << QStringLiteral("abcdefg") << qsizetype(2) << 2 << qsizetype(6) << true;
        // A surrogate pair is one character, stored as one "〓" of two units.
        QTest::newRow("a surrogate pair is one character")
            << QString(28, u'a') + QStringLiteral("𠮷b") << qsizetype(0) << 29 << qsizetype(31) << true;
    }
    void breaks()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, start);
        QFETCH(int, limit);
        QFETCH(qsizetype, end);
        QFETCH(bool, full);
        const engine::LabelLine line = engine::nextLabelLine(text, start, limit);
        QCOMPARE(line.end, end);
        QCOMPARE(line.full, full);
    }
};

QTEST_GUILESS_MAIN(TestLabelLines)
#include "tst_labellines.moc"
