#include "platform/paperform.h"

#include <QTest>

using platform::PaperForm;

namespace {

// "40x28,47x65" -> media in that order.
QList<PaperForm> media(const QString &sizes)
{
    QList<PaperForm> list;
    const QStringList items = sizes.split(u',');
    for (const QString &item : items) {
        const QStringList wh = item.split(u'x');
        PaperForm form;
        form.key = item;
        form.sizeMm = QSizeF(wh.at(0).toDouble(), wh.at(1).toDouble());
        list.append(form);
    }
    return list;
}

QList<int> numbers(const QList<PaperForm> &forms)
{
    QList<int> result;
    for (const PaperForm &form : forms)
        result.append(form.number);
    return result;
}

} // namespace

class TestPaperForm : public QObject
{
    Q_OBJECT

private slots:
    void numbering_data()
    {
        QTest::addColumn<QString>("sizes");
        QTest::addColumn<QList<int>>("expected");
        // A4 as a PPD gives it: 595 x 842 points.
        QTest::newRow("label printer") << "40x28,47x65,45x65,65x45,38x28,209.903x297.039"
                                       << QList<int>{513, 514, 515, 516, 517, 9};
        QTest::newRow("labels either way round") << "28x40,65x47" << QList<int>{513, 514};
        QTest::newRow("within 1 mm") << "40.9x27.1,46.1x65.9" << QList<int>{513, 514};
        QTest::newRow("beyond 1 mm") << "41.2x28,47x66.2" << QList<int>{515, 516};
        QTest::newRow("driver order") << "45x65,209.9x297,65x45,40x28,105x148"
                                      << QList<int>{515, 9, 516, 513, 70};
        QTest::newRow("no number twice") << "209.9x297,40x28,210x297,28x40,47x65,65x47"
                                         << QList<int>{9, 513, 515, 516, 514, 517};
        QTest::newRow("near a standard size") << "45x65,211x298" << QList<int>{515, 516};
        QTest::newRow("letter") << "215.9x279.4" << QList<int>{1};
    }

    void numbering()
    {
        QFETCH(QString, sizes);
        QFETCH(QList<int>, expected);
        const QList<PaperForm> forms = platform::numberPaperForms(media(sizes));
        QCOMPARE(numbers(forms), expected);
        // The driver's order and keys stay as they were.
        for (qsizetype i = 0; i < forms.size(); ++i)
            QCOMPARE(forms.at(i).key, media(sizes).at(i).key);
    }

    void standardNumbers_data()
    {
        QTest::addColumn<QSizeF>("sizeMm");
        QTest::addColumn<int>("expected");
        QTest::newRow("A4") << QSizeF(210, 297) << 9;
        QTest::newRow("A4 in points") << QSizeF(209.903, 297.039) << 9;
        QTest::newRow("A6") << QSizeF(105, 148) << 70;
        QTest::newRow("45x65 is no JIS B9") << QSizeF(45, 65) << 0;
        QTest::newRow("A4 lying") << QSizeF(297, 210) << 0;
        QTest::newRow("label") << QSizeF(40, 28) << 0;
        QTest::newRow("empty") << QSizeF(0, 0) << 0;
    }

    void standardNumbers()
    {
        QFETCH(QSizeF, sizeMm);
        QFETCH(int, expected);
        QCOMPARE(platform::standardPaperNumber(sizeMm), expected);
    }
};

QTEST_GUILESS_MAIN(TestPaperForm)
#include "tst_paperform.moc"
