#pragma once

#include "app/appcontext.h"
#include "app/instancelock.h"
#include "app/screenopeners.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace app {

inline constexpr QStringView kVersionText = u"さくらべ Ver1.08d";
inline constexpr QStringView kSecondCopyMessage = u"このソフトウェアを複数起動することはできません。";

// The program's first window and its hub. Each time it comes up (at the start
// and whenever a screen returns to it) it prepares the ground: one running
// copy only, user.dat created or completed, the settings screen while no
// printer is chosen, the stock phrase file created.
class MainMenu : public QWidget
{
    Q_OBJECT

public:
    explicit MainMenu(const AppContext &context, ScreenOpeners openers = {}, QWidget *parent = nullptr);
    ~MainMenu() override;

    // Prepares and shows the menu, unless the preparation ended the program
    // or sent the user to the settings screen.
    void start();

    // True once a second copy was refused; the menu then does nothing more.
    bool ended() const { return m_ended; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum class Next { ShowMenu, OpenSettings, Ended };

    Next prepare();
    void comeBack();
    std::function<void()> backToMenu();
    void openScreen(const ScreenOpener &opener);
    void buildControls();

    AppContext m_context;
    ScreenOpeners m_openers;
    InstanceLock m_instanceLock;
    bool m_instanceChecked = false;
    bool m_ended = false;
    bool m_preparedForShow = false; // the coming show follows a preparation already run
    bool m_preparationQueued = false;

    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label4 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command3 = nullptr;
};

} // namespace app
