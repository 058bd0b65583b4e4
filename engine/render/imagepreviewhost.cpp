#include "engine/render/imagepreviewhost.h"

#include "engine/render/previewgeometry.h"
#include "platform/printer.h"

#include <QPainter>

namespace engine {

PreviewSurface &ImagePreviewHost::openPreview(PreviewShape shape, platform::Printer *printer)
{
    const PictureGeometry geometry = previewGeometry(shape, printer ? printer->twipsPerPixelX() : 0.0).work;
    m_first = std::make_unique<PictureTarget>(TargetKind::First, geometry);
    m_second = std::make_unique<PictureTarget>(TargetKind::Second, geometry);
    m_secondShown = false;
    return *this;
}

DrawTarget &ImagePreviewHost::picture(TargetKind kind)
{
    return kind == TargetKind::Second ? *m_second : *m_first;
}

QImage ImagePreviewHost::image() const
{
    if (!m_first)
        return {};
    if (!m_secondShown)
        return m_first->image();
    const QImage &first = m_first->image();
    QImage both(first.width() * 2 + 8, first.height(), QImage::Format_RGB32);
    both.fill(Qt::gray);
    QPainter painter(&both);
    painter.drawImage(0, 0, first);
    painter.drawImage(first.width() + 8, 0, m_second->image());
    return both;
}

} // namespace engine
