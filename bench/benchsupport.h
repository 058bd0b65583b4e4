#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

// Notes when a window has been painted for the first time.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) { window->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// One line of figures: the fastest, the median and the slowest run.
inline void report(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s min %7.1f ms  median %7.1f ms  max %7.1f ms  (%zu runs)\n", what, ms.front(), ms[ms.size() / 2],
                ms.back(), ms.size());
}

} // namespace bench
