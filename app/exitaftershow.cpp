#include "app/exitaftershow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace app {

ExitAfterShow::ExitAfterShow(QWidget *window) : QObject(window)
{
    window->installEventFilter(this);
}

bool ExitAfterShow::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_done && event->type() == QEvent::Paint) {
        m_done = true;
        // After this paint has reached the screen.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
