#pragma once

#include "store/phrasebook.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class MessageSink;
}

namespace screens {

// "文字列の事前登録": the five stock phrases of one field, shown in their
// slots; a text is stored into a slot, or a slot's phrase taken back to be
// edited. Every store writes all five phrases of the field at once.
class Mojiretsu_Write final : public QDialog
{
    Q_OBJECT

public:
    Mojiretsu_Write(const QString &title, const QString &text, const QString &workDir, platform::MessageSink &messages,
                    QWidget *parent = nullptr);

    // Shows the window over `parent` until it is closed.
    static void open(const QString &title, const QString &text, const QString &workDir, platform::MessageSink &messages,
                     QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showStored();
    void storeInSlot(size_t slot);
    void edit(size_t slot);
    void showSlot(size_t slot, const QString &phrase);

    QString m_title;
    QString m_workDir;
    platform::MessageSink &m_messages;
    QLabel *m_heading = nullptr;
    QLineEdit *m_text1 = nullptr;
    std::array<QLabel *, store::kPhraseCount> m_slots{};
    bool m_centred = false;
};

} // namespace screens
