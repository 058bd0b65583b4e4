#include "print/ui/previewpicture.h"

#include <QPainter>

namespace print {

PreviewPicture::PreviewPicture(QSize size, QWidget *parent) : QWidget(parent)
{
    setFixedSize(size);
}

void PreviewPicture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PreviewPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_image.isNull())
        painter.drawImage(QPointF(0, 0), m_image);
}

} // namespace print
