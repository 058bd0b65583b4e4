#include "screens/registration/switchcaption.h"

#include <QMouseEvent>

namespace screens {

SwitchCaption::SwitchCaption(const QString &name, const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void SwitchCaption::setColour(const QColor &colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void SwitchCaption::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

void SwitchCaption::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

} // namespace screens
