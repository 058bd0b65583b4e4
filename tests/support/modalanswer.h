#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace testsupport {

// Answers the next modal window of type W the moment it is up: `answer`
// presses its button or closes it. For tests of a screen that waits for a
// window of its own; the test goes on once the screen's call returns. A
// window that never comes is left alone after `timeoutMs`, so nothing waits
// for ever.
template <typename W>
void answerNextModal(std::function<void(W *)> answer, int timeoutMs = 5000)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, timeoutMs, answer = std::move(answer)] {
        *waited += poll->interval();
        W *window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (window && window->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(window);
        } else if (*waited > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start();
}

} // namespace testsupport
