#pragma once

#include <QLabel>

namespace screens {

// A field caption the user clicks: a ruled-line switch, or a caption that
// answers a double click with a note.
class SwitchCaption final : public QLabel
{
    Q_OBJECT

public:
    SwitchCaption(const QString &name, const QString &caption, QWidget *parent);

    // The caption's colour says the switch's state.
    void setColour(const QColor &colour);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace screens
