#include "print/ui/previewwindow.h"

#include "print/ui/previewpicture.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace print {
namespace {

const QString kShowSecond = QStringLiteral("２枚目を見る");
const QString kShowFirst = QStringLiteral("１枚目を見る");

QSize logicalPixels(const QSizeF &twips, double logicalDpi)
{
    return QSize(static_cast<int>(std::lround(twips.width() / 1440.0 * logicalDpi)),
                 static_cast<int>(std::lround(twips.height() / 1440.0 * logicalDpi)));
}

QFrame *pictureFrame(const QString &name, PreviewPicture *&picture, QSize size, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    picture = new PreviewPicture(size, frame);
    layout->addWidget(picture);
    return frame;
}

} // namespace

PreviewWindow::PreviewWindow(engine::PreviewShape shape, const engine::PreviewGeometry &geometry, double logicalDpi,
                             double devicePixelRatio, QWidget *parent)
    : QWidget(parent, Qt::Window), m_shape(shape), m_geometry(geometry)
{
    setWindowTitle(QStringLiteral("印刷出力の確認"));
    // Closing only hides the window: the host deletes it when the next
    // preview opens, so the renderer never draws into a deleted window.
    setAttribute(Qt::WA_DeleteOnClose, false);

    // The work pictures are drawn at the shown pictures' scale, so that
    // presenting them is a copy of pixels and the preview stays sharp.
    const engine::PictureGeometry work = geometry.presentedWork();
    m_firstWork = std::make_unique<engine::PictureTarget>(engine::TargetKind::First, work, logicalDpi,
                                                          devicePixelRatio);
    m_secondWork = std::make_unique<engine::PictureTarget>(engine::TargetKind::Second, work, logicalDpi,
                                                           devicePixelRatio);

    auto *heading = new QLabel(QStringLiteral("印刷プレビュー"), this);
    heading->setObjectName(QStringLiteral("heading"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    const QSize shownSize = logicalPixels(geometry.shown.twips, logicalDpi);
    m_firstFrame = pictureFrame(QStringLiteral("firstFrame"), m_firstShown, shownSize, this);
    m_secondFrame = pictureFrame(QStringLiteral("secondFrame"), m_secondShown, shownSize, this);

    m_notice = new QLabel(QStringLiteral("※原材料名拡張表示あり"), this);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setStyleSheet(QStringLiteral("color: red;"));
    // Hidden, but keeping its place, so the window does not jump when it shows.
    QSizePolicy keepPlace = m_notice->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_notice->setSizePolicy(keepPlace);
    m_notice->setVisible(false);

    auto *closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    auto *pictures = new QGridLayout;
    layout->addLayout(pictures);
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    buttons->addWidget(m_notice);
    buttons->addStretch();

    if (shape == engine::PreviewShape::Portrait) {
        pictures->addWidget(m_firstFrame, 0, 0);
        pictures->addWidget(m_secondFrame, 0, 1);
    } else {
        // Stacked: one label at a time, turned with the page button.
        pictures->addWidget(m_firstFrame, 0, 0);
        pictures->addWidget(m_secondFrame, 0, 0);
        m_secondFrame->setVisible(false);
        m_pageButton = new QPushButton(kShowSecond, this);
        m_pageButton->setObjectName(QStringLiteral("pageButton"));
        // Until the composer knows whether there is a second label.
        m_pageButton->setEnabled(false);
        connect(m_pageButton, &QPushButton::clicked, this, &PreviewWindow::turnPage);
        buttons->addWidget(m_pageButton);
    }
    buttons->addWidget(closeButton);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PreviewWindow::~PreviewWindow() = default;

engine::DrawTarget &PreviewWindow::picture(engine::TargetKind kind)
{
    return kind == engine::TargetKind::Second ? *m_secondWork : *m_firstWork;
}

void PreviewWindow::setNoticeVisible(bool visible)
{
    m_notice->setVisible(visible);
}

void PreviewWindow::setPageButtonEnabled(bool enabled)
{
    if (m_pageButton)
        m_pageButton->setEnabled(enabled);
}

void PreviewWindow::present()
{
    m_firstShown->setImage(m_firstWork->image());
    m_secondShown->setImage(m_secondWork->image());
}

void PreviewWindow::compositionFinished()
{
    m_composing = false;
    // A message box during the label may have taken the activation; give it
    // back, so that clicking another window closes the preview as usual.
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

QImage PreviewWindow::shownImage(engine::TargetKind kind) const
{
    return kind == engine::TargetKind::Second ? m_secondShown->image() : m_firstShown->image();
}

void PreviewWindow::turnPage()
{
    m_showingSecond = !m_showingSecond;
    m_firstFrame->setVisible(!m_showingSecond);
    m_secondFrame->setVisible(m_showingSecond);
    m_pageButton->setText(m_showingSecond ? kShowFirst : kShowSecond);
}

bool PreviewWindow::closesOnDeactivation() const
{
    // The label is still being drawn: a barcode or overflow message must not
    // close the window under the composer.
    if (m_composing)
        return false;
    // The program's own message boxes and dialogs come and go over the preview.
    if (QApplication::activeModalWidget())
        return false;
    if (qobject_cast<QDialog *>(QApplication::activeWindow()))
        return false;
    return true;
}

bool PreviewWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible() && closesOnDeactivation())
        close();
    return QWidget::event(event);
}

} // namespace print
