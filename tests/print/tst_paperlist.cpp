#include "platform/fakeprintersystem.h"
#include "print/paperlist.h"

#include <QTest>

namespace {

// A driver that takes only the forms it is given, with their sizes in mm.
std::unique_ptr<platform::Printer> driverWith(platform::FakePrinterSystem &system, const QList<platform::PaperForm> &forms)
{
    system.addPrinter({QStringLiteral("SATO_T408v"), 203, forms, forms.first().number});
    return system.open(QStringLiteral("SATO_T408v"));
}

// Millimetres whose page comes out at exactly `twips`.
double mmFor(int twips)
{
    return twips * 25.4 / 1440.0;
}

} // namespace

// The paper list of the settings screen: what a driver accepts, and how each
// form is written.
class TestPaperList : public QObject
{
    Q_OBJECT

private slots:
    void entries_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("entry");
        QTest::newRow("four digits, trailing blank") << 9 << 5670 << 8505 << "0009:100mmx150mmラベル ";
        QTest::newRow("115 x 115 is recommended") << 600 << 6521 << 6521 << "0600:115mmx115mmラベル  (お勧め)";
        QTest::newRow("2551 twips is 44.99 mm: 45") << 514 << 2551 << 3685 << "0514:45mmx65mmラベル ";
        QTest::newRow("49.49 mm down, 49.51 up") << 1024 << 2806 << 2807 << "1024:49mmx50mmラベル ";
        QTest::newRow("115 x 114 is not") << 601 << 6521 << 6464 << "0601:115mmx114mmラベル ";
    }
    void entries()
    {
        QFETCH(int, number);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, entry);
        QCOMPARE(print::paperListEntry(number, width, height), entry);
    }

    // Every number from 1 to 1024 is tried; the ones the driver refuses are
    // left out, and the order is the numbers' order.
    void probeListsWhatTheDriverTakes()
    {
        platform::FakePrinterSystem system;
        const auto printer = driverWith(system, {{514, QStringLiteral("w45h65"), QStringLiteral("45x65"), {mmFor(2551), 65}},
                                                 {1, QStringLiteral("Letter"), QStringLiteral("Letter"), {215.9, 279.4}},
                                                 {9, QStringLiteral("A4"), QStringLiteral("A4"), {210, 297}}});
        print::PaperProbe probe(*printer);
        int steps = 0;
        while (probe.step(100))
            ++steps;
        QCOMPARE(steps, 10);
        QVERIFY(probe.finished());
        QCOMPARE(probe.tried(), 1024);
        QCOMPARE(probe.entries(), (QStringList{QStringLiteral("0001:216mmx279mmラベル "), QStringLiteral("0009:210mmx297mmラベル "),
                                               QStringLiteral("0514:45mmx65mmラベル ")}));
        // The printer keeps the last paper it took.
        QCOMPARE(printer->paperSize(), 514);
    }
};

QTEST_GUILESS_MAIN(TestPaperList)
#include "tst_paperlist.moc"
