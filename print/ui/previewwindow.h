#pragma once

#include "engine/render/picturetarget.h"
#include "engine/render/previewgeometry.h"
#include "engine/render/previewsurface.h"

#include <QWidget>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace print {

class PreviewPicture;

// "印刷出力の確認": the label as it will print, drawn by the composer on two
// hidden work pictures and then presented on the shown ones.
//
// Portrait (65×45(タテ), 28×38): the first and the second label side by side.
// Landscape (65×45(ヨコ)): the two stacked, the page button turning between
// them. The window closes with "閉じる" or when the user clicks another
// window, but never while the label is still being drawn into it and never
// for one of the program's own message boxes.
//
// Children tests may look for by object name: "heading", "notice",
// "pageButton", "closeButton", "firstFrame", "secondFrame".
class PreviewWindow final : public QWidget, public engine::PreviewSurface
{
    Q_OBJECT

public:
    PreviewWindow(engine::PreviewShape shape, const engine::PreviewGeometry &geometry, double logicalDpi = 96.0,
                  double devicePixelRatio = 1.0, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    engine::DrawTarget &picture(engine::TargetKind kind) override;
    void setNoticeVisible(bool visible) override;
    void setPageButtonEnabled(bool enabled) override;
    void present() override;
    void compositionFinished() override;

    engine::PreviewShape shape() const { return m_shape; }
    const engine::PreviewGeometry &geometry() const { return m_geometry; }
    bool composing() const { return m_composing; }
    // What a shown picture displays, at the screen's device pixels.
    QImage shownImage(engine::TargetKind kind) const;

protected:
    bool event(QEvent *event) override;

private:
    void turnPage();
    bool closesOnDeactivation() const;

    engine::PreviewShape m_shape = engine::PreviewShape::Portrait;
    engine::PreviewGeometry m_geometry;
    std::unique_ptr<engine::PictureTarget> m_firstWork;
    std::unique_ptr<engine::PictureTarget> m_secondWork;
    PreviewPicture *m_firstShown = nullptr;
    PreviewPicture *m_secondShown = nullptr;
    QFrame *m_firstFrame = nullptr;
    QFrame *m_secondFrame = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_pageButton = nullptr;
    bool m_composing = true;
    bool m_showingSecond = false; // the landscape window shows the second label
};

} // namespace print
