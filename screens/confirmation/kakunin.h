#pragma once

#include "app/confirmation.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace screens {

// "確認": the one confirmation window of the program. Up to three lines and
// two buttons whose captions the asking screen chooses; the left button
// answers "o", the right one "c", and so do "Y"/"y" and "N"/"n" while the
// left button has the focus. The close box and Esc answer "c", which in
// every use is the harmless answer. It stays in front of the program until
// it is answered.
class Kakunin final : public QDialog
{
    Q_OBJECT

public:
    explicit Kakunin(const app::ConfirmationRequest &request, QWidget *parent = nullptr);

    // The answer once the window has closed; "c" until then.
    app::ConfirmationAnswer answer() const { return m_answer; }

    // Shows the window over the program and returns its answer.
    static app::ConfirmationAnswer ask(const app::ConfirmationRequest &request, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void answerWith(app::ConfirmationAnswer answer);

    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    app::ConfirmationAnswer m_answer = app::ConfirmationAnswer::Right;
};

// The confirmation seam of the program: the real window, over whichever
// window of the program is active.
class KakuninConfirmation final : public app::Confirmation
{
public:
    app::ConfirmationAnswer ask(const app::ConfirmationRequest &request) override;
};

} // namespace screens
