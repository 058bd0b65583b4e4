#include "engine/render/labelrenderer.h"
#include "engine/render/previewgeometry.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "print/ui/widgetpreviewhost.h"
#include "print/ui/previewwindow.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using engine::PreviewShape;
using engine::TargetKind;

Q_DECLARE_METATYPE(engine::PreviewShape)
Q_DECLARE_METATYPE(platform::Orientation)

namespace {

// A 203-dpi, a 305-dpi and a "2130" printer, one of them current, and the
// previews of a screen over them.
struct HostFixture
{
    explicit HostFixture(const QString &current = QStringLiteral("SATO_T408v"))
    {
        system.addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        system.addPrinter({QStringLiteral("SATO_T412v"), 305, platform::FakePrinterSystem::labelPrinterForms()});
        system.addPrinter({QStringLiteral("SATO SCeaT 2130"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        printer = system.open(current);
        host = std::make_unique<print::WidgetPreviewHost>();
    }

    platform::FakePrinterSystem system;
    platform::RecordingMessageSink messages;
    std::unique_ptr<platform::Printer> printer;
    std::unique_ptr<print::WidgetPreviewHost> host;
};

void loseActivation(QWidget &window)
{
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<PreviewShape>("shape");
        QTest::newRow("portrait") << PreviewShape::Portrait;
        QTest::newRow("landscape") << PreviewShape::Landscape;
    }
    void captions()
    {
        QFETCH(PreviewShape, shape);
        print::PreviewWindow window(shape, engine::previewGeometry(shape, 1440.0 / 203));
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("印刷出力の確認"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("heading"))->text(), QStringLiteral("印刷プレビュー"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("closeButton"))->text(), QStringLiteral("閉じる"));
        auto *notice = window.findChild<QLabel *>(QStringLiteral("notice"));
        QCOMPARE(notice->text(), QStringLiteral("※原材料名拡張表示あり"));
        QVERIFY(!notice->isVisible());
        window.setNoticeVisible(true);
        QVERIFY(notice->isVisible());

        auto *first = window.findChild<QFrame *>(QStringLiteral("firstFrame"));
        auto *second = window.findChild<QFrame *>(QStringLiteral("secondFrame"));
        auto *pageButton = window.findChild<QPushButton *>(QStringLiteral("pageButton"));
        QVERIFY(first->isVisible());
        if (shape == PreviewShape::Portrait) {
            // Side by side, the first label on the left.
            QVERIFY(second->isVisible());
            QVERIFY(first->geometry().right() < second->geometry().left());
            QVERIFY(!pageButton);
        } else {
            QVERIFY(!second->isVisible());
            QCOMPARE(pageButton->text(), QStringLiteral("２枚目を見る"));
            QVERIFY(!pageButton->isEnabled());
        }
    }

    void pageButtonTurnsBetweenTheLabels()
    {
        print::PreviewWindow window(PreviewShape::Landscape, engine::previewGeometry(PreviewShape::Landscape, 0));
        window.show();
        auto *first = window.findChild<QFrame *>(QStringLiteral("firstFrame"));
        auto *second = window.findChild<QFrame *>(QStringLiteral("secondFrame"));
        auto *pageButton = window.findChild<QPushButton *>(QStringLiteral("pageButton"));
        window.setPageButtonEnabled(true);
        QTest::mouseClick(pageButton, Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QVERIFY(second->isVisible());
        QCOMPARE(pageButton->text(), QStringLiteral("１枚目を見る"));
        QTest::mouseClick(pageButton, Qt::LeftButton);
        QVERIFY(first->isVisible());
        QVERIFY(!second->isVisible());
        QCOMPARE(pageButton->text(), QStringLiteral("２枚目を見る"));
    }

    void presentShowsTheWorkPictures()
    {
        print::PreviewWindow window(PreviewShape::Portrait, engine::previewGeometry(PreviewShape::Portrait, 0));
        window.picture(TargetKind::First).drawBox(100, 100, 2000, 300);
        window.picture(TargetKind::Second).drawLine(0, 1000, 2450, 1000, 1);
        QVERIFY(window.shownImage(TargetKind::First).isNull());
        window.present();
        const auto &work = static_cast<engine::PictureTarget &>(window.picture(TargetKind::First));
        QCOMPARE(window.shownImage(TargetKind::First), work.image());
        QVERIFY(window.shownImage(TargetKind::Second) != window.shownImage(TargetKind::First));
    }

    void closeButtonCloses()
    {
        print::PreviewWindow window(PreviewShape::Portrait, engine::previewGeometry(PreviewShape::Portrait, 0));
        window.show();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void losingActivationClosesOnlyAfterComposition()
    {
        print::PreviewWindow window(PreviewShape::Portrait, engine::previewGeometry(PreviewShape::Portrait, 0));
        window.show();
        // An overflow message while the label is drawn: the preview stays.
        loseActivation(window);
        QVERIFY(window.isVisible());
        window.compositionFinished();
        loseActivation(window);
        QVERIFY(!window.isVisible());
    }

    void messageBoxOverThePreviewKeepsIt()
    {
        print::PreviewWindow window(PreviewShape::Landscape, engine::previewGeometry(PreviewShape::Landscape, 0));
        window.show();
        window.compositionFinished();
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("さくらべ"), QStringLiteral("message"));
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        loseActivation(window);
        QVERIFY(window.isVisible());
        box.close();
        loseActivation(window);
        QVERIFY(!window.isVisible());
    }

    // The pictures follow the current printer's resolution; without a
    // printer they are those of a 203-dpi head.
    void hostSizesForThePrinter_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<double>("shownWidth");
        QTest::newRow("203 dpi") << "SATO_T408v" << 5600.0;
        QTest::newRow("305 dpi") << "SATO_T412v" << 5500.0;
        QTest::newRow("no printer") << "" << 5600.0;
    }
    void hostSizesForThePrinter()
    {
        QFETCH(QString, printer);
        QFETCH(double, shownWidth);
        HostFixture fixture(printer);
        engine::PreviewSurface &opened = fixture.host->openPreview(PreviewShape::Portrait, fixture.printer.get());
        print::PreviewWindow *window = fixture.host->window();
        QCOMPARE(static_cast<engine::PreviewSurface *>(window), &opened);
        QVERIFY(window->isVisible());
        QCOMPARE(window->geometry().shown.twips.width(), shownWidth);
    }

    void everyPreviewOpensAFreshWindow()
    {
        HostFixture fixture;
        fixture.host->openPreview(PreviewShape::Portrait, fixture.printer.get())
            .picture(TargetKind::First)
            .drawBox(0, 0, 2450, 3600);
        fixture.host->openPreview(PreviewShape::Portrait, fixture.printer.get());
        const auto &work = static_cast<const engine::PictureTarget &>(fixture.host->window()->picture(TargetKind::First));
        QCOMPARE(qGray(work.image().pixel(10, 10)), 255);
        QVERIFY(fixture.host->window()->composing());
    }

    void rendererDrawsIntoTheOpenedWindow()
    {
        HostFixture fixture;
        QTemporaryDir folder;
        platform::RecordingProgramExit exit;
        engine::LabelRenderer renderer({fixture.printer.get(), nullptr, fixture.host.get(), &fixture.messages, &exit,
                                        folder.path()});
        engine::LabelJob job;
        job[engine::LabelJob::LabelSize] = QString::fromUtf16(engine::kPortraitLabel);
        renderer.beginLabel(job);
        print::PreviewWindow *window = fixture.host->window();
        QVERIFY(window);
        QCOMPARE(static_cast<engine::PreviewSurface *>(window), renderer.previewSurface());
        float x = 1000;
        renderer.drawText(x, 1000, QStringLiteral("■"), QString::fromUtf16(engine::kPrinterFont), false, false, 8);
        const auto &work = static_cast<const engine::PictureTarget &>(window->picture(TargetKind::First));
        const QPointF cell = work.toPixels(1000, 1000) * work.image().devicePixelRatio();
        // The square starts just right of and below its cell's corner.
        QVERIFY(qGray(work.image().pixel(cell.toPoint() + QPoint(6, 10))) < 128);
        QVERIFY(qGray(work.image().pixel(cell.toPoint() - QPoint(2, 2))) > 128);
    }

    void landscapeTurnsA2130Printer_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<PreviewShape>("shape");
        QTest::addColumn<platform::Orientation>("orientation");
        QTest::newRow("2130 landscape") << "SATO SCeaT 2130" << PreviewShape::Landscape << platform::Orientation::Landscape;
        QTest::newRow("2130 portrait") << "SATO SCeaT 2130" << PreviewShape::Portrait << platform::Orientation::Portrait;
        QTest::newRow("other landscape") << "SATO_T408v" << PreviewShape::Landscape << platform::Orientation::Portrait;
    }
    void landscapeTurnsA2130Printer()
    {
        QFETCH(QString, printer);
        QFETCH(PreviewShape, shape);
        QFETCH(platform::Orientation, orientation);
        HostFixture fixture(printer);
        fixture.host->openPreview(shape, fixture.printer.get());
        QCOMPARE(fixture.printer->orientation(), orientation);
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
