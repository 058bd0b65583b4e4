#include "platform/fakeprintersystem.h"

#include <QPainter>
#include <QTest>

using platform::FakePrinterScript;
using platform::FakePrinterSystem;
using platform::Orientation;

class TestFakePrinter : public QObject
{
    Q_OBJECT

    static FakePrinterScript labelPrinter(const QString &name, int dpi = 203)
    {
        FakePrinterScript script;
        script.name = name;
        script.resolution = dpi;
        script.forms = FakePrinterSystem::labelPrinterForms();
        script.paperNumber = 514;
        return script;
    }

private slots:
    // What a caller did is on record, and what the driver does not offer is
    // refused without a change.
    void recordsSettings()
    {
        FakePrinterSystem system;
        system.addPrinter(labelPrinter(QStringLiteral("SATO_CT4-LX_2130")));
        QCOMPARE(system.printerNames(), QStringList{QStringLiteral("SATO_CT4-LX_2130")});
        QVERIFY(!system.open(QStringLiteral("SATO_T408v")));
        {
            const auto printer = system.open(QStringLiteral("SATO_CT4-LX_2130"));
            QCOMPARE(printer->paperSize(), 514);
            QVERIFY(!printer->setPaperSize(600));
            QVERIFY(printer->selectPaperForm(513));
            printer->setCopies(3);
            printer->setOrientation(Orientation::Landscape);
            QCOMPARE(printer->pageWidthTwips(), 1587);
        }
        const auto &record = system.record(QStringLiteral("SATO_CT4-LX_2130"));
        QCOMPARE(record.calls, (QStringList{QStringLiteral("setPaperSize 600 refused"), QStringLiteral("selectPaperForm 513"),
                                            QStringLiteral("setCopies 3"), QStringLiteral("setOrientation 2")}));
        QCOMPARE(record.defaultPaperForm, 513);
        // The next time it is made current it starts on its default form.
        QCOMPARE(system.open(QStringLiteral("SATO_CT4-LX_2130"))->paperSize(), 513);
        QCOMPARE(record.timesOpened, 2);
    }

    // Pages are images at the printer's resolution, drawn on in twips.
    void paintsPages()
    {
        FakePrinterSystem system;
        system.addPrinter(labelPrinter(QStringLiteral("SATO_T412v"), 305));
        const auto printer = system.open(QStringLiteral("SATO_T412v"));
        printer->setCopies(2);
        printer->painter()->fillRect(QRect(1440, 1440, 144, 144), Qt::black);
        QVERIFY(printer->newPage());
        printer->setOrientation(Orientation::Landscape);
        printer->painter();
        QVERIFY(printer->endDocument());

        const auto &record = system.record(QStringLiteral("SATO_T412v"));
        QCOMPARE(record.documents.size(), 1);
        const platform::FakeDocument &document = record.documents.first();
        QCOMPARE(document.copies, 2);
        QCOMPARE(document.pages.size(), 2);
        const QImage &first = document.pages.at(0).image;
        QCOMPARE(first.size(), QSize(564, 781)); // 47 x 65 mm at 305 dpi
        QCOMPARE(first.pixelColor(305 + 10, 305 + 10), QColor(Qt::black));
        QCOMPARE(first.pixelColor(305 + 40, 305 + 10), QColor(Qt::white));
        QCOMPARE(document.pages.at(1).image.size(), QSize(781, 564));
        QCOMPARE(document.pages.at(1).orientation, Orientation::Landscape);
    }

    void scriptedFailures()
    {
        FakePrinterSystem system;
        FakePrinterScript broken = labelPrinter(QStringLiteral("SATO_T408v"));
        broken.cannotDraw = true;
        system.addPrinter(broken);
        const auto printer = system.open(QStringLiteral("SATO_T408v"));
        QVERIFY(!printer->failed());
        printer->painter();
        QVERIFY(printer->failed());
        QVERIFY(!printer->error().isEmpty());
        QVERIFY(!printer->endDocument());
        QVERIFY(system.record(QStringLiteral("SATO_T408v")).documents.isEmpty());
    }
};

QTEST_MAIN(TestFakePrinter)
#include "tst_fakeprinter.moc"
