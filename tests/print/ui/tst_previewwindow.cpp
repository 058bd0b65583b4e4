#include "engine/render/labelrenderer.h"
#include "engine/render/previewgeometry.h"
#include "platform/fakeprintersystem.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "print/previewhost.h"
#include "print/previewwindow.h"
#include "store/usersettings.h"

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

const QString kNotFound = QStringLiteral("指定のプリンターが見つかりません");

// A printer system with a 203-dpi and a 305-dpi printer, and user.dat naming one.
struct HostFixture
{
    explicit HostFixture(const QString &settingsPrinter, const QString &current = QStringLiteral("SATO_T408v"))
    {
        system.addPrinter({QStringLiteral("SATO_T408v"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        system.addPrinter({QStringLiteral("SATO_T412v"), 305, platform::FakePrinterSystem::labelPrinterForms()});
        system.addPrinter({QStringLiteral("SATO SCeaT 2130"), 203, platform::FakePrinterSystem::labelPrinterForms()});
        store::UserSettings settings = store::UserSettings::defaults();
        settings.printer = settingsPrinter;
        store::writeUserSettings(folder.path(), settings);
        printer = system.open(current);
        host = std::make_unique<print::WidgetPreviewHost>(&system, &messages, folder.path(), printer.get());
    }

    QTemporaryDir folder;
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

    void hostFindsThePrinter_data()
    {
        QTest::addColumn<QString>("settingsPrinter");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("current");
        QTest::addColumn<double>("shownWidth");
        QTest::newRow("the printer in hand") << "SATO_T408v" << QStringList{} << "SATO_T408v" << 5600.0;
        QTest::newRow("another installed printer becomes current")
            << "SATO_T412v" << QStringList{} << "SATO_T412v" << 5500.0;
        QTest::newRow("not installed: message, printer in hand")
            << "SATO_GONE" << QStringList{kNotFound} << "SATO_T408v" << 5600.0;
        QTest::newRow("no printer set") << "" << QStringList{kNotFound} << "SATO_T408v" << 5600.0;
    }
    void hostFindsThePrinter()
    {
        QFETCH(QString, settingsPrinter);
        QFETCH(QStringList, messages);
        QFETCH(QString, current);
        QFETCH(double, shownWidth);
        HostFixture fixture(settingsPrinter);
        engine::PreviewWindow &opened = fixture.host->openPreview(PreviewShape::Portrait);
        print::PreviewWindow *window = fixture.host->window();
        QCOMPARE(static_cast<engine::PreviewWindow *>(window), &opened);
        QVERIFY(window->isVisible());
        QCOMPARE(fixture.messages.shown(), messages);
        QCOMPARE(fixture.host->currentPrinter()->deviceName(), current);
        QCOMPARE(window->geometry().shown.twips.width(), shownWidth);
    }

    void everyPreviewOpensAFreshWindow()
    {
        HostFixture fixture(QStringLiteral("SATO_T408v"));
        fixture.host->openPreview(PreviewShape::Portrait).picture(TargetKind::First).drawBox(0, 0, 2450, 3600);
        fixture.host->openPreview(PreviewShape::Portrait);
        const auto &work = static_cast<const engine::PictureTarget &>(fixture.host->window()->picture(TargetKind::First));
        QCOMPARE(qGray(work.image().pixel(10, 10)), 255);
        QVERIFY(fixture.host->window()->composing());
    }

    void rendererDrawsIntoTheOpenedWindow()
    {
        HostFixture fixture(QStringLiteral("SATO_T408v"));
        platform::RecordingProgramExit exit;
        engine::LabelRenderer renderer({fixture.printer.get(), nullptr, fixture.host.get(), &fixture.messages, &exit,
                                        fixture.folder.path()});
        engine::LabelJob job;
        job[engine::LabelJob::LabelSize] = QString::fromUtf16(engine::kPortraitLabel);
        renderer.beginLabel(job);
        print::PreviewWindow *window = fixture.host->window();
        QVERIFY(window);
        QCOMPARE(static_cast<engine::PreviewWindow *>(window), renderer.previewWindow());
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
        HostFixture fixture(printer, printer);
        fixture.host->openPreview(shape);
        QCOMPARE(fixture.printer->orientation(), orientation);
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
