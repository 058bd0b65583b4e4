#pragma once

#include <QObject>

class QWidget;

namespace app {

// For timing a start from outside: ends the program once `window` has been
// painted for the first time (SAKURABE_EXIT_AFTER_SHOW=1).
class ExitAfterShow : public QObject
{
    Q_OBJECT

public:
    explicit ExitAfterShow(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_done = false;
};

} // namespace app
