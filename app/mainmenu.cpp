#include "app/mainmenu.h"

#include "app/menubackground.h"
#include "platform/messagesink.h"
#include "platform/programexit.h"
#include "print/ui/centring.h"
#include "store/phrasebook.h"
#include "store/settingssource.h"
#include "store/usersettings.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr QSize kMenuSize{560, 470};

QPushButton *menuButton(const QString &name, const QString &caption, QWidget *parent, bool main)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setProperty("menuRole", main ? QStringLiteral("main") : QStringLiteral("quit"));
    button->setMinimumHeight(main ? 58 : 40);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

QLabel *menuLabel(const QString &name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

MainMenu::MainMenu(const AppContext &context, ScreenOpeners openers, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_openers(std::move(openers))
    , m_instanceLock(context.workDir)
{
    setWindowTitle(QStringLiteral("食品内容表示ソフトウェア さくらべ"));
    setFixedSize(kMenuSize);
    buildControls();
}

MainMenu::~MainMenu() = default;

void MainMenu::buildControls()
{
    m_label1 = menuLabel(QStringLiteral("Label1"), QStringLiteral("サトー製バーコードプリンター用 食品表示ソフトウェア"), this);
    m_label1->setAlignment(Qt::AlignCenter);
    m_label2 = menuLabel(QStringLiteral("Label2"), QString(), this);
    m_label4 = menuLabel(QStringLiteral("Label4"), QStringLiteral("for Linux"), this);
    m_label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_command1 = menuButton(QStringLiteral("Command1"), QStringLiteral("商品情報の登録"), this, true);
    m_command2 = menuButton(QStringLiteral("Command2"), QStringLiteral("ラベルの発行"), this, true);
    m_command4 = menuButton(QStringLiteral("Command4"), QStringLiteral("各 種 設 定"), this, true);
    m_command3 = menuButton(QStringLiteral("Command3"), QStringLiteral("ソフトウェアを終了する"), this, false);

    // Until a screen is there to open, its button cannot be pressed.
    m_command1->setEnabled(bool(m_openers.registration));
    m_command2->setEnabled(bool(m_openers.issuing));
    m_command4->setEnabled(bool(m_openers.settings));

    connect(m_command1, &QPushButton::clicked, this, [this] { openScreen(m_openers.registration); });
    connect(m_command2, &QPushButton::clicked, this, [this] { openScreen(m_openers.issuing); });
    connect(m_command4, &QPushButton::clicked, this, [this] { openScreen(m_openers.settings); });
    connect(m_command3, &QPushButton::clicked, this, &QWidget::close);

    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    m_label1->setFont(titleFont);
    QFont buttonFont = font();
    buttonFont.setPointSizeF(buttonFont.pointSizeF() * 1.35);
    for (QPushButton *button : {m_command1, m_command2, m_command4})
        button->setFont(buttonFont);

    setStyleSheet(QStringLiteral(
        "QLabel#Label1 { color: #7a2338; }"
        "QLabel#Label2 { color: #5b4a50; }"
        "QLabel#Label4 { color: #8a7a80; }"
        "QPushButton { background: #ffffff; color: #3b2a30; border: 1px solid #d99aab;"
        "  border-radius: 8px; padding: 6px 18px; }"
        "QPushButton:hover { background: #fff1f5; border-color: #c45a78; }"
        "QPushButton:pressed { background: #f9d9e3; }"
        "QPushButton:focus { border: 2px solid #c45a78; }"
        "QPushButton:disabled { color: #b7a9ae; background: #faf6f7; border-color: #e6d9dd; }"
        "QPushButton[menuRole=\"quit\"] { background: #f6eef1; }"));

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(14);
    for (QPushButton *button : {m_command1, m_command2, m_command4})
        buttons->addWidget(button);
    buttons->addSpacing(10);
    buttons->addWidget(m_command3);

    auto *centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(buttons, 4);
    centred->addStretch(1);

    auto *footer = new QHBoxLayout;
    footer->addWidget(m_label2);
    footer->addStretch(1);
    footer->addWidget(m_label4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 34, 24, 14);
    layout->addWidget(m_label1);
    layout->addSpacing(40);
    layout->addLayout(centred);
    layout->addStretch(1);
    layout->addLayout(footer);
}

void MainMenu::start()
{
    const Next next = prepare();
    if (next == Next::ShowMenu) {
        m_preparedForShow = true;
        show();
    }
}

MainMenu::Next MainMenu::prepare()
{
    if (m_ended)
        return Next::Ended;
    m_label2->setText(kVersionText.toString());

    // Checked once: later preparations would only find this copy's own lock.
    if (!m_instanceChecked) {
        m_instanceChecked = true;
        if (m_instanceLock.claim() == InstanceLock::Claim::HeldElsewhere) {
            m_ended = true;
            m_context.messages->information(kSecondCopyMessage.toString());
            m_context.programExit->exit(1);
            return Next::Ended;
        }
    }

    print::centreOnScreen(*this);

    bool settingsWanted = false;
    const store::EnsureResult settingsFile = store::ensureUserSettings(m_context.workDir);
    if (!settingsFile.message.isEmpty())
        m_context.messages->information(settingsFile.message);
    if (settingsFile.outcome == store::EnsureOutcome::Created) {
        settingsWanted = true;
    } else if (!settingsFile.failed()) {
        QString error;
        const auto settings = m_context.settings->read(&error);
        if (!settings)
            m_context.messages->information(error);
        else if (!settings->hasPrinter())
            settingsWanted = true;
    }

    const store::EnsureResult phraseFile = store::createDefaultPhraseBook(m_context.workDir);
    if (!phraseFile.message.isEmpty())
        m_context.messages->information(phraseFile.message);

    if (settingsWanted && m_openers.settings) {
        hide();
        m_openers.settings(backToMenu());
        return Next::OpenSettings;
    }
    return Next::ShowMenu;
}

void MainMenu::comeBack()
{
    if (prepare() == Next::ShowMenu) {
        m_preparedForShow = true;
        show();
    }
}

void MainMenu::openScreen(const ScreenOpener &opener)
{
    if (!opener || m_ended)
        return;
    hide();
    opener(backToMenu());
}

std::function<void()> MainMenu::backToMenu()
{
    // The menu comes back once the screen's own closing is over, never inside
    // it: a screen that gives up while opening must not recurse into the menu.
    return [menu = QPointer<MainMenu>(this)] {
        if (menu)
            QMetaObject::invokeMethod(menu, &MainMenu::comeBack, Qt::QueuedConnection);
    };
}

void MainMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_preparedForShow) {
        m_preparedForShow = false;
        return;
    }
    // Shown by someone else than start() or a returning screen: prepare once
    // the show is done, so that the preparation may still hide the menu.
    if (m_preparationQueued)
        return;
    m_preparationQueued = true;
    QMetaObject::invokeMethod(this, [this] {
        m_preparationQueued = false;
        if (isVisible() && prepare() == Next::Ended)
            hide();
    }, Qt::QueuedConnection);
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_ended)
        m_context.programExit->exit(0);
}

void MainMenu::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintMenuBackground(painter, rect());
}

} // namespace app
