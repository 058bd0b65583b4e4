#pragma once

#include "app/appcontext.h"
#include "store/backupstore.h"

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace screens {

// "商品情報バックアップ": named copies of the product file beside it, on the
// hard disk or the USB memory as user.dat line 5 says. Copies are made,
// deleted and restored here; a restore, or the return button, goes back to
// the settings screen.
class Backup final : public QWidget
{
    Q_OBJECT

public:
    explicit Backup(const app::AppContext &context, QWidget *parent = nullptr);
    ~Backup() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void fillList();
    const store::BackupEntry *selectedEntry() const;
    void create();
    void remove();
    void restore();

    app::AppContext m_context;
    QString m_dataFolder;
    QList<store::BackupEntry> m_entries; // in the order of List1
    bool m_centred = false;

    QLabel *m_label2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command1 = nullptr;
};

} // namespace screens
