#pragma once

#include <QTest>
#include <QWidget>

namespace testsupport {

// Types `text` into `widget` key by key, Japanese as the input method would
// commit it: each character a key press carrying that text.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace testsupport
