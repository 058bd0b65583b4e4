#include "screens/registration/mojiretsuwrite.h"

#include "engine/render/labeljob.h"
#include "platform/messagesink.h"
#include "print/ui/centring.h"
#include "screens/common/cp932validator.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace screens {

Mojiretsu_Write::Mojiretsu_Write(const QString &title, const QString &text, const QString &workDir,
                                 platform::MessageSink &messages, QWidget *parent)
    : QDialog(parent), m_title(title), m_workDir(workDir), m_messages(messages)
{
    setObjectName(QStringLiteral("Mojiretsu_Write"));
    setWindowTitle(QStringLiteral("文字列の事前登録"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    QFont boxFont = font();
    boxFont.setFamily(QString::fromUtf16(engine::kPrinterFont));
    m_heading = new QLabel(QStringLiteral("「") + title + QStringLiteral("」用の文字列登録"), this);
    m_heading->setObjectName(QStringLiteral("Label1"));
    m_heading->setTextFormat(Qt::PlainText);
    QFont heading = m_heading->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    m_heading->setFont(heading);
    auto *hiddenTitle = new QLabel(title, this);
    hiddenTitle->setObjectName(QStringLiteral("Label8"));
    hiddenTitle->hide();
    m_text1 = new QLineEdit(text, this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("登録する文字列"));
    m_text1->setFont(boxFont);
    m_text1->setValidator(new Cp932Validator(m_text1));
    m_text1->setMinimumWidth(560);
    m_text1->setCursorPosition(static_cast<int>(text.size()));
    m_text1->installEventFilter(this);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const int row = static_cast<int>(i);
        auto *number = new QLabel(QString(QChar(u'１' + row)), this);
        number->setObjectName(QStringLiteral("Label%1").arg(row + 3));
        m_slots[i] = new QLabel(this);
        m_slots[i]->setObjectName(QStringLiteral("Label2(%1)").arg(row));
        m_slots[i]->setAccessibleDescription(QStringLiteral("登録文字列%1").arg(row + 1));
        m_slots[i]->setTextFormat(Qt::PlainText); // a phrase may begin with "<b>"
        m_slots[i]->setFont(boxFont);
        m_slots[i]->setAutoFillBackground(true);
        m_slots[i]->setFrameShape(QFrame::Panel);
        m_slots[i]->setFrameShadow(QFrame::Sunken);
        m_slots[i]->setMinimumHeight(26);
        m_slots[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        auto *storeButton = new QPushButton(QStringLiteral("ここへ登録"), this);
        storeButton->setObjectName(QStringLiteral("Command2(%1)").arg(row));
        auto *editButton = new QPushButton(QStringLiteral("編集"), this);
        editButton->setObjectName(QStringLiteral("Command3(%1)").arg(row));
        for (QPushButton *b : {storeButton, editButton})
            b->setAutoDefault(false);
        connect(storeButton, &QPushButton::clicked, this, [this, i] { storeInSlot(i); });
        connect(editButton, &QPushButton::clicked, this, [this, i] { edit(i); });
        grid->addWidget(number, row, 0);
        grid->addWidget(m_slots[i], row, 1);
        grid->addWidget(storeButton, row, 2);
        grid->addWidget(editButton, row, 3);
    }
    grid->setColumnStretch(1, 1);
    auto *back = new QPushButton(QStringLiteral("前のウインドウに戻る"), this);
    back->setObjectName(QStringLiteral("Command1"));
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->addWidget(m_heading);
    layout->addWidget(m_text1);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(back, 0, Qt::AlignRight);
}

void Mojiretsu_Write::open(const QString &title, const QString &text, const QString &workDir,
                           platform::MessageSink &messages, QWidget *parent)
{
    Mojiretsu_Write window(title, text, workDir, messages, parent);
    window.exec();
}

void Mojiretsu_Write::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
        showStored();
    }
}

void Mojiretsu_Write::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Back from another window: the grid show what the file holds now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showStored();
}

void Mojiretsu_Write::showSlot(size_t slot, const QString &phrase)
{
    m_slots[slot]->setText(phrase);
    QPalette palette = m_slots[slot]->palette();
    palette.setColor(QPalette::Window, phrase.isEmpty() ? QColor(224, 224, 224) : QColor(Qt::white));
    m_slots[slot]->setPalette(palette);
}

void Mojiretsu_Write::showStored()
{
    const store::Phrases phrases = store::readPhrasesForEditing(m_workDir, m_title).value_or(store::Phrases{});
    for (size_t i = 0; i < m_slots.size(); ++i)
        showSlot(i, phrases[i]);
}

void Mojiretsu_Write::storeInSlot(size_t slot)
{
    store::Phrases phrases;
    for (size_t i = 0; i < m_slots.size(); ++i)
        phrases[i] = i == slot ? m_text1->text() : m_slots[i]->text();
    const store::FileResult written = store::writePhrases(m_workDir, m_title, phrases);
    if (!written) {
        // The store says why; a file it could not even read is a failed save too.
        const QString failed = QStringLiteral("文字列情報の保存に失敗しました");
        m_messages.information(written.message.startsWith(failed) ? written.message : failed + u'\r' + written.message);
    }
    // What the file holds now, cleaned as it was stored, or as it was when
    // the write failed: never a text that is not in the file.
    showStored();
}

void Mojiretsu_Write::edit(size_t slot)
{
    m_text1->setText(m_slots[slot]->text());
    m_text1->setCursorPosition(static_cast<int>(m_text1->text().size()));
    m_text1->setFocus();
}

bool Mojiretsu_Write::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // A phrase is one line.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace screens
