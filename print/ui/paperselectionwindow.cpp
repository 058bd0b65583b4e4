#include "print/ui/paperselectionwindow.h"

#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "print/paperlist.h"
#include "print/ui/centring.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace print {
namespace {

// Paper numbers tried between two looks at the events: the bar moves, the
// close box answers, and the whole search of a queue stays well under a second.
constexpr int kNumbersPerStep = 32;

const QString kPrinterNotFound = QStringLiteral("プリンターが見つかりませんでした");
const QString kChooseAPaper = QStringLiteral("使用する用紙を選択して下さい");

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

PaperSelectionWindow::PaperSelectionWindow(platform::PrinterSystem &printers, const QString &deviceName,
                                           platform::MessageSink &messages, QWidget *parent)
    : QDialog(parent), m_printers(printers), m_deviceName(deviceName), m_messages(messages)
{
    setObjectName(QStringLiteral("PaperSelectionWindow"));
    setWindowTitle(QStringLiteral("用紙の選択"));
    setWindowModality(Qt::ApplicationModal);
    // A title and a close box, nothing to shrink or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setAccessibleDescription(QStringLiteral("用紙一覧の見出し"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(QStringLiteral("用紙一覧"));
    m_list->setMinimumSize(360, 260);
    m_choose = button(QStringLiteral("Command1"), QStringLiteral("選択"), this);
    m_cancel = button(QStringLiteral("Command2"), QStringLiteral("キャンセル"), this);
    m_clear = button(QStringLiteral("Command3"), QStringLiteral("用紙の指定を解除する"), this);
    connect(m_choose, &QPushButton::clicked, this, &PaperSelectionWindow::choose);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &PaperSelectionWindow::choose);
    connect(m_cancel, &QPushButton::clicked, this, [this] { finish(std::nullopt); });
    connect(m_clear, &QPushButton::clicked, this, [this] { finish(QStringLiteral("0000")); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_choose);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    buttons->addWidget(m_clear);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    m_steps = new QTimer(this);
    m_steps->setInterval(0);
    connect(m_steps, &QTimer::timeout, this, &PaperSelectionWindow::searchStep);
}

PaperSelectionWindow::~PaperSelectionWindow() = default;

bool PaperSelectionWindow::searching() const
{
    return m_steps->isActive();
}

void PaperSelectionWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    if (!m_started) {
        m_started = true;
        // After the window is up, so that the progress window stands over it.
        QTimer::singleShot(0, this, &PaperSelectionWindow::startSearch);
    }
}

void PaperSelectionWindow::startSearch()
{
    if (m_printers.printerNames().contains(m_deviceName))
        m_printer = m_printers.open(m_deviceName);
    if (!m_printer) {
        m_messages.information(kPrinterNotFound);
        emit searchFinished();
        return;
    }
    m_heading->setText(m_deviceName + QStringLiteral("に登録されている用紙一覧"));
    m_probe = std::make_unique<PaperProbe>(*m_printer);
    for (QPushButton *b : {m_choose, m_cancel, m_clear})
        b->setEnabled(false);

    m_progress = new QDialog(this);
    m_progress->setObjectName(QStringLiteral("ProgressWindow"));
    m_progress->setWindowTitle(QStringLiteral("用紙検索中"));
    auto *text = new QLabel(QStringLiteral("用紙検索中 暫くお待ち下さい"), m_progress);
    text->setObjectName(QStringLiteral("Label1"));
    m_bar = new QProgressBar(m_progress);
    m_bar->setObjectName(QStringLiteral("Picture1"));
    m_bar->setAccessibleName(QStringLiteral("用紙検索の進み具合"));
    m_bar->setRange(0, kLastPaperNumber);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(320);
    auto *progressLayout = new QVBoxLayout(m_progress);
    progressLayout->addWidget(text);
    progressLayout->addWidget(m_bar);
    // Closing it stops the search; what was found stays in the list.
    connect(m_progress, &QDialog::rejected, this, &PaperSelectionWindow::stopSearch);
    m_progress->show();
    m_progress->adjustSize();
    centreOnScreen(*m_progress);
    m_steps->start();
}

void PaperSelectionWindow::searchStep()
{
    const bool more = m_probe->step(kNumbersPerStep);
    m_bar->setValue(m_probe->tried());
    for (qsizetype i = m_list->count(); i < m_probe->entries().size(); ++i)
        m_list->addItem(m_probe->entries().at(i));
    if (!more)
        stopSearch();
}

void PaperSelectionWindow::stopSearch()
{
    if (!m_steps->isActive())
        return;
    m_steps->stop();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
        m_bar = nullptr;
    }
    for (QPushButton *b : {m_choose, m_cancel, m_clear})
        b->setEnabled(true);
    emit searchFinished();
}

void PaperSelectionWindow::choose()
{
    if (searching())
        return;
    QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        m_messages.information(kChooseAPaper);
        return;
    }
    finish(item->text().left(4));
}

void PaperSelectionWindow::finish(std::optional<QString> answer)
{
    m_answer = std::move(answer);
    done(m_answer ? QDialog::Accepted : QDialog::Rejected);
}

void PaperSelectionWindow::done(int result)
{
    // The close box, Esc and the buttons all end here: the search ends with the window.
    stopSearch();
    if (result != QDialog::Accepted)
        m_answer.reset();
    QDialog::done(result);
}

std::optional<QString> choosePaperForm(platform::PrinterSystem &printers, const QString &deviceName,
                                       platform::MessageSink &messages, QWidget *parent)
{
    PaperSelectionWindow window(printers, deviceName, messages, parent);
    window.exec();
    return window.answer();
}

} // namespace print
