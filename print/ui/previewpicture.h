#pragma once

#include <QImage>
#include <QWidget>

namespace print {

// A shown preview picture: white, with the presented work picture at its
// top-left corner, pixel for pixel.
class PreviewPicture final : public QWidget
{
    Q_OBJECT

public:
    // `size` in logical pixels.
    PreviewPicture(QSize size, QWidget *parent);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace print
