#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QPushButton;

namespace print {

// "プリンター選択": which of two models with the same family code in their
// names is installed. The first button answers "1", the second "2"; the
// close box answers nothing.
class PrinterModelWindow final : public QDialog
{
    Q_OBJECT

public:
    PrinterModelWindow(const QString &firstCaption, const QString &secondCaption, QWidget *parent = nullptr);

    std::optional<QString> answer() const { return m_answer; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::optional<QString> m_answer;
};

// Asks the model over `parent` and waits for the answer: "1", "2", or none
// when the window was closed.
std::optional<QString> askPrinterModel(const QString &firstCaption, const QString &secondCaption, QWidget *parent);

} // namespace print
