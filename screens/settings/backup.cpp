#include "screens/settings/backup.h"

#include "engine/render/labeljob.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "platform/removabledrive.h"
#include "print/ui/centring.h"
#include "store/backupname.h"
#include "store/datalocation.h"
#include "store/settingssource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {
namespace {

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumHeight(34);
    return button;
}

} // namespace

Backup::Backup(const app::AppContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("Backup"));
    setWindowTitle(QStringLiteral("商品情報バックアップ"));
    buildControls();

    const store::UserSettings settings = m_context.settings->readOrDefaults();
    m_dataFolder = store::dataFolder(m_context.workDir, settings.dataLocation, m_context.drive->usbRoot());
    m_text1->setText(store::defaultBackupName(m_context.clock->now()));
    fillList();
}

Backup::~Backup() = default;

void Backup::buildControls()
{
    m_label2 = new QLabel(QStringLiteral("商品情報バックアップ"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setAlignment(Qt::AlignCenter);
    QFont heading = m_label2->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    m_label2->setFont(heading);

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("バックアップ名"));
    QFont boxFont = m_text1->font();
    boxFont.setFamily(QString::fromUtf16(engine::kPrinterFont));
    m_text1->setFont(boxFont);
    m_text1->setMinimumWidth(460);
    m_command2 = commandButton(QStringLiteral("Command2"), QStringLiteral("上に入力した項目名で現在の商品情報をバックアップする"), this);
    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAccessibleName(QStringLiteral("バックアップ一覧"));
    m_list1->setFont(boxFont);
    m_list1->setMinimumHeight(220);
    m_command3 = commandButton(QStringLiteral("Command3"), QStringLiteral("選択した項目を削除する"), this);
    m_command4 = commandButton(QStringLiteral("Command4"), QStringLiteral("選択した項目の商品情報を復元する"), this);
    m_command1 = commandButton(QStringLiteral("Command1"), QStringLiteral("前の画面に戻る"), this);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_command3);
    listButtons->addWidget(m_command4);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(m_label2);
    layout->addSpacing(8);
    layout->addWidget(m_text1);
    layout->addWidget(m_command2);
    layout->addSpacing(8);
    layout->addWidget(m_list1, 1);
    layout->addLayout(listButtons);
    layout->addSpacing(8);
    layout->addWidget(m_command1);

    connect(m_command2, &QPushButton::clicked, this, &Backup::create);
    connect(m_command3, &QPushButton::clicked, this, &Backup::remove);
    connect(m_command4, &QPushButton::clicked, this, &Backup::restore);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &Backup::restore);
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
}

void Backup::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
    }
}

void Backup::fillList()
{
    m_entries = store::BackupStore(m_dataFolder).list();
    m_list1->clear();
    for (const store::BackupEntry &entry : std::as_const(m_entries))
        m_list1->addItem(entry.name);
}

const store::BackupEntry *Backup::selectedEntry() const
{
    const int row = m_list1->currentRow();
    if (row < 0 || row >= m_entries.size() || !m_list1->item(row)->isSelected())
        return nullptr;
    return &m_entries.at(row);
}

void Backup::create()
{
    const QString name = store::cleanBackupName(m_text1->text());
    m_text1->setText(name);
    m_context.messages->information(store::BackupStore(m_dataFolder).create(name).message);
    fillList();
}

void Backup::remove()
{
    const store::BackupEntry *entry = selectedEntry();
    if (!entry) {
        m_context.messages->information(QStringLiteral("削除するデータをリストから選択して下さい"));
        return;
    }
    const store::BackupEntry chosen = *entry;
    if (!m_context.messages->question(chosen.name + QStringLiteral("\rのバックアップデータを削除します。よろしいですか？")))
        return;
    m_context.messages->information(store::BackupStore(m_dataFolder).remove(chosen).message);
    fillList();
}

void Backup::restore()
{
    const store::BackupEntry *entry = selectedEntry();
    if (!entry) {
        m_context.messages->information(QStringLiteral("復元する為の元データをリストから選択して下さい"));
        return;
    }
    const store::BackupEntry chosen = *entry;
    if (!m_context.messages->question(QStringLiteral("「%1」を読み込みます。\r現在登録されている商品情報は消去されますが、よろしいですか？")
                                          .arg(chosen.name)))
        return;
    const store::FileResult restored = store::BackupStore(m_dataFolder).restore(chosen);
    m_context.messages->information(restored.message);
    if (restored)
        close();
}

} // namespace screens
