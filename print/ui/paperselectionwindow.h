#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace platform {
class MessageSink;
class Printer;
class PrinterSystem;
} // namespace platform

namespace print {

class PaperProbe;

// "用紙の選択": the paper forms the printer's driver accepts, found by
// trying every paper number while the progress window "用紙検索中" shows
// how far it is. The answer is the chosen form's four-digit number, "0000"
// to remove the choice, or none (cancelled, or the window closed).
//
// While the forms are being looked for, the buttons wait; closing the
// window stops the search.
class PaperSelectionWindow final : public QDialog
{
    Q_OBJECT

public:
    PaperSelectionWindow(platform::PrinterSystem &printers, const QString &deviceName, platform::MessageSink &messages,
                         QWidget *parent = nullptr);
    ~PaperSelectionWindow() override;

    std::optional<QString> answer() const { return m_answer; }
    // The search is still running.
    bool searching() const;
    // Every way of closing ends here, the search with it.
    void done(int result) override;

signals:
    void searchFinished();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startSearch();
    void searchStep();
    void stopSearch();
    void choose();
    void finish(std::optional<QString> answer);

    platform::PrinterSystem &m_printers;
    QString m_deviceName;
    platform::MessageSink &m_messages;
    std::unique_ptr<platform::Printer> m_printer;
    std::unique_ptr<PaperProbe> m_probe;
    QLabel *m_heading = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_clear = nullptr;
    QDialog *m_progress = nullptr;
    QProgressBar *m_bar = nullptr;
    QTimer *m_steps = nullptr;
    bool m_started = false;
    std::optional<QString> m_answer;
};

// Shows the paper list of the printer named `deviceName` over `parent` and
// waits for the answer.
std::optional<QString> choosePaperForm(platform::PrinterSystem &printers, const QString &deviceName,
                                       platform::MessageSink &messages, QWidget *parent);

} // namespace print
