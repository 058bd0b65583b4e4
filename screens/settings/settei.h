#pragma once

#include "app/appcontext.h"
#include "store/usersettings.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

// "印刷設定": the nine settings of user.dat. Picking a printer fills in the
// start positions of its model, asking the model where the name leaves it
// open; the paper list and the backup screen open from here. Saving is
// acknowledged by the confirmation window and goes back to the menu.
//
// The screen reads user.dat once, when it opens.
class Settei final : public QWidget
{
    Q_OBJECT

public:
    explicit Settei(const app::AppContext &context, QWidget *parent = nullptr);
    ~Settei() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void open();
    void applyPrinterDefaults(bool apply);
    void save();
    void returnToMenu();
    void showPaperList();
    void showBackups();
    void endProgram(const QString &message);
    store::UserSettings formSettings() const;

    app::AppContext m_context;
    store::UserSettings m_opened;  // user.dat as it was when the screen opened
    bool m_autoApply = false;      // a typed printer name fills in its model's values too
    bool m_centred = false;

    QLabel *m_label2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text5 = nullptr;
    QLineEdit *m_text4 = nullptr;
    std::array<QLabel *, 4> m_hints{};  // Label5, Label8, Label17, Label16
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QLabel *m_label14 = nullptr;
    QComboBox *m_combo4 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QLabel *m_label12 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command3 = nullptr;
};

} // namespace screens
