#include "screens/confirmation/kakunin.h"

#include "print/ui/centring.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace screens {
namespace {

QLabel *line(const QString &name, const QString &text, const QString &description, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    // A line may name a product, tags and all.
    label->setTextFormat(Qt::PlainText);
    // Its text is what a screen reader says; what it is goes in the description.
    label->setAccessibleDescription(description);
    return label;
}

QPushButton *button(const QString &name, const QString &caption, bool visible, bool enabled, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setVisible(visible);
    b->setEnabled(enabled);
    b->setMinimumWidth(120);
    return b;
}

} // namespace

Kakunin::Kakunin(const app::ConfirmationRequest &request, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Kakunin"));
    setWindowTitle(QStringLiteral("確認"));
    setWindowModality(Qt::ApplicationModal);
    // A title and a close box, nothing to shrink or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_label1 = line(QStringLiteral("Label1"), request.line1, QStringLiteral("確認1"), this);
    m_label2 = line(QStringLiteral("Label2"), request.line2, QStringLiteral("確認2"), this);
    m_label3 = line(QStringLiteral("Label3"), request.line3, QStringLiteral("確認3"), this);
    m_command1 = button(QStringLiteral("Command1"), request.leftCaption, request.leftVisible, request.leftEnabled, this);
    m_command2 = button(QStringLiteral("Command2"), request.rightCaption, request.rightVisible, request.rightEnabled, this);
    m_command1->installEventFilter(this);
    connect(m_command1, &QPushButton::clicked, this, [this] { answerWith(app::ConfirmationAnswer::Left); });
    connect(m_command2, &QPushButton::clicked, this, [this] { answerWith(app::ConfirmationAnswer::Right); });

    QFont font = m_label1->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    for (QLabel *label : {m_label1, m_label2, m_label3})
        label->setFont(font);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addSpacing(24);
    buttons->addWidget(m_command2);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(8);
    layout->addWidget(m_label1);
    layout->addWidget(m_label2);
    layout->addWidget(m_label3);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    QPushButton *first = request.leftVisible && request.leftEnabled ? m_command1 : m_command2;
    first->setDefault(true);
    first->setFocus();
}

app::ConfirmationAnswer Kakunin::ask(const app::ConfirmationRequest &request, QWidget *parent)
{
    Kakunin window(request, parent);
    window.exec();
    return window.answer();
}

void Kakunin::answerWith(app::ConfirmationAnswer answer)
{
    m_answer = answer;
    // The close box and Esc reject as well, and leave the right button's answer.
    done(answer == app::ConfirmationAnswer::Left ? QDialog::Accepted : QDialog::Rejected);
}

bool Kakunin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_command1 && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed == u"Y" || typed == u"y") {
            m_command1->click();
            return true;
        }
        if (typed == u"N" || typed == u"n") {
            answerWith(app::ConfirmationAnswer::Right);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Kakunin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    adjustSize();
    print::centreOnScreen(*this);
}

void Kakunin::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Another window of the program took the activation: take it back, so
    // the question is never left behind the screen that waits for it.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        QTimer::singleShot(0, this, [self = QPointer<Kakunin>(this)] {
            QWidget *active = QApplication::activeWindow();
            if (self && self->isVisible() && active && active != self) {
                self->raise();
                self->activateWindow();
            }
        });
    }
}

app::ConfirmationAnswer KakuninConfirmation::ask(const app::ConfirmationRequest &request)
{
    return Kakunin::ask(request, QApplication::activeWindow());
}

} // namespace screens
