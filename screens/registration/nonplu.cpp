#include "screens/registration/nonplu.h"

#include "engine/render/labeljob.h"
#include "platform/messagesink.h"
#include "print/ui/centring.h"
#include "screens/registration/instorecode.h"
#include "store/cp932.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

constexpr std::array<int, 3> kWidths{2, 5, 4};

void colour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

Nonplu::Nonplu(platform::MessageSink &messages, QWidget *parent) : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("NONPLU"));
    setWindowTitle(QStringLiteral("インストアコード入力ウィンドウ"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *heading = new QLabel(QStringLiteral("標準NON-PLU(インストアコード)の登録"), this);
    heading->setObjectName(QStringLiteral("Label7"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    heading->setFont(headingFont);

    QFont boxFont = font();
    boxFont.setFamily(QString::fromUtf16(engine::kPrinterFont));
    const std::array<const char *, 3> fieldNames{"Text1", "Text2", "Text3"};
    const std::array<const char *, 3> counterNames{"Label2", "Label4", "Label6"};
    const std::array<QString, 3> captions{QStringLiteral("ヘッダコード"), QStringLiteral("アイテムコード"), QStringLiteral("価格")};
    auto *form = new QGridLayout;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QLatin1String(fieldNames[i]));
        m_fields[i]->setAccessibleName(captions[i]);
        m_fields[i]->setFont(boxFont);
        m_fields[i]->setMaximumWidth(120);
        m_fields[i]->installEventFilter(this);
        m_counters[i] = new QLabel(QStringLiteral("(0/%1桁)").arg(kWidths[i]), this);
        m_counters[i]->setObjectName(QLatin1String(counterNames[i]));
        m_counters[i]->setAccessibleDescription(captions[i] + QStringLiteral("の桁数"));
        auto *caption = new QLabel(captions[i], this);
        caption->setBuddy(m_fields[i]);
        const int row = static_cast<int>(i);
        form->addWidget(caption, row, 0);
        form->addWidget(m_fields[i], row, 1);
        form->addWidget(m_counters[i], row, 2);
        connect(m_fields[i], &QLineEdit::textChanged, this, [this, i] { fieldChanged(i); });
    }
    m_compute = new QPushButton(QStringLiteral("上記内容でバーコードを下欄に算出する"), this);
    m_compute->setObjectName(QStringLiteral("Command2"));
    m_text4 = new QLineEdit(this);
    m_text4->setObjectName(QStringLiteral("Text4"));
    m_text4->setAccessibleName(QStringLiteral("算出バーコード"));
    m_text4->setReadOnly(true);
    m_text4->setFont(boxFont);
    auto *codeCaption = new QLabel(QStringLiteral("バーコード"), this);
    codeCaption->setBuddy(m_text4);
    m_register = new QPushButton(QStringLiteral("登録"), this);
    m_register->setObjectName(QStringLiteral("Command1"));
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_close->setObjectName(QStringLiteral("Command3"));
    for (QPushButton *button : {m_compute, m_register, m_close})
        button->setAutoDefault(false);
    connect(m_compute, &QPushButton::clicked, this, &Nonplu::compute);
    connect(m_register, &QPushButton::clicked, this, &Nonplu::handOver);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *codeRow = new QGridLayout;
    codeRow->addWidget(codeCaption, 0, 0);
    codeRow->addWidget(m_text4, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_register);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(m_compute);
    layout->addLayout(codeRow);
    layout->addLayout(buttons);
}

std::optional<QString> Nonplu::ask(platform::MessageSink &messages, QWidget *parent)
{
    Nonplu window(messages, parent);
    window.exec();
    return window.result() == QDialog::Accepted ? window.code() : std::nullopt;
}

void Nonplu::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    adjustSize();
    print::centreOnScreen(*this);
    m_fields[0]->setFocus();
}

void Nonplu::fieldChanged(size_t index)
{
    // Any change makes the code computed before stale.
    m_text4->clear();
    QLineEdit *box = m_fields[index];
    const InstoreField field = instoreField(box->text(), kWidths[index]);
    if (field.text != box->text()) {
        const QSignalBlocker quiet(box);
        box->setText(field.text);
        box->setCursorPosition(static_cast<int>(field.text.size()));
    }
    colour(box, field.colour);
    colour(m_counters[index], field.colour);
    m_counters[index]->setText(field.counter);
}

void Nonplu::compute()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (store::cp932Width(m_fields[i]->text()) != kWidths[i]) {
            m_messages.titledInformation(QStringLiteral("入力されたデータが異常です"),
                                         QStringLiteral("入力されたコードや価格に異常があります。\rコードや価格を再度確認して下さい"));
            return;
        }
    }
    // Full-width digits fill a box's width but are no digits of a code.
    for (const QLineEdit *box : m_fields) {
        for (const QChar c : box->text()) {
            if (c < u'0' || c > u'9') {
                m_messages.titledInformation(QStringLiteral("入力されたデータが異常です"),
                                             QStringLiteral("入力されたコードや価格に異常があります。\rコードや価格を再度確認して下さい"));
                return;
            }
        }
    }
    const QString code = instoreCode(m_fields[0]->text(), m_fields[1]->text(), m_fields[2]->text());
    const QSignalBlocker quiet(m_text4);
    m_text4->setText(code);
    m_register->setFocus();
}

void Nonplu::handOver()
{
    if (m_text4->text().size() != 13) {
        m_messages.titledInformation(QStringLiteral("エラー"), QStringLiteral("バーコードが算出されていません"));
        return;
    }
    m_code = m_text4->text();
    accept();
}

bool Nonplu::eventFilter(QObject *watched, QEvent *event)
{
    const auto at = std::find(m_fields.begin(), m_fields.end(), watched);
    if (at == m_fields.end())
        return QDialog::eventFilter(watched, event);
    const size_t index = static_cast<size_t>(at - m_fields.begin());
    if (event->type() == QEvent::FocusOut) {
        const QString padded = paddedInstoreField((*at)->text(), kWidths[index]);
        if (padded != (*at)->text())
            (*at)->setText(padded);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (index + 1 < m_fields.size())
                m_fields[index + 1]->setFocus(Qt::TabFocusReason);
            else
                m_compute->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace screens
