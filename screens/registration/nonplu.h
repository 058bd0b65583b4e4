#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class MessageSink;
}

namespace screens {

// "インストアコード入力ウィンドウ": an in-store JAN code that carries the
// price, made from a header code, an item code and a price. Its answer is the
// 13-digit code "登録" hands over, or none when the window is closed.
class Nonplu final : public QDialog
{
    Q_OBJECT

public:
    explicit Nonplu(platform::MessageSink &messages, QWidget *parent = nullptr);

    std::optional<QString> code() const { return m_code; }

    static std::optional<QString> ask(platform::MessageSink &messages, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fieldChanged(size_t index);
    void compute();
    void handOver();

    platform::MessageSink &m_messages;
    std::array<QLineEdit *, 3> m_fields{};   // Text1 header, Text2 item, Text3 price
    std::array<QLabel *, 3> m_counters{};    // Label2, Label4, Label6
    QLineEdit *m_text4 = nullptr;
    QPushButton *m_compute = nullptr;  // Command2
    QPushButton *m_register = nullptr; // Command1
    QPushButton *m_close = nullptr;    // Command3
    std::optional<QString> m_code;
};

} // namespace screens
