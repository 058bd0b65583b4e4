#include "screens/registration/stouroku.h"

#include "app/confirmation.h"
#include "app/picturefilechooser.h"
#include "engine/render/labeljob.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "platform/removabledrive.h"
#include "print/issuingjob.h"
#include "print/labeljobfill.h"
#include "print/ui/centring.h"
#include "print/ui/widgetpreviewhost.h"
#include "screens/common/settingsprinter.h"
#include "screens/registration/fieldrules.h"
#include "store/numericvalue.h"
#include "store/settingssource.h"
#include "store/textfile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace screens {
namespace {

using app::ConfirmationRequest;

// "新規保存しました" and "上書き保存しました", with "はい" alone.
ConfirmationRequest savedNotice(const QString &line3)
{
    return ConfirmationRequest::acknowledgement({}, {}, line3, QStringLiteral("はい"));
}

// Shows `value` in a list that takes free text too.
void showText(QComboBox *box, const QString &value)
{
    const int index = box->findText(value);
    if (index >= 0)
        box->setCurrentIndex(index);
    else
        box->setCurrentIndex(-1);
    box->setEditText(value);
}

bool isRecycleMark(const QString &mark)
{
    for (const char16_t *known : {u"なし", u"プラ", u"紙", u"紙＆プラ", u"プラ＆紙"}) {
        if (mark == QStringView(known))
            return true;
    }
    return false;
}

} // namespace

S_Touroku::S_Touroku(const app::AppContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("S_Touroku"));
    setWindowTitle(QStringLiteral("商品情報の登録"));
    buildControls();
    connectControls();
    open();
}

S_Touroku::~S_Touroku() = default;

void S_Touroku::open()
{
    QString error;
    const std::optional<store::UserSettings> read = m_context.settings->read(&error);
    if (!read)
        m_context.messages->information(error);
    m_settings = read.value_or(store::UserSettings::defaults());
    if (!settingsPrinterInstalled(m_context, m_settings)) {
        m_ended = true;
        return;
    }
    m_products = std::make_unique<store::ProductFile>(
        print::productFileFor(m_context.workDir, m_settings, m_context.drive->usbRoot()));
    // An old version's file is converted once; the user is told first.
    const store::ProductFileEnsureResult ensured = m_products->ensureProductFile(
        [this](const QString &notice) { m_context.messages->information(notice); });
    if (!ensured.ok)
        m_context.messages->information(ensured.message);

    m_previews = std::make_unique<print::WidgetPreviewHost>(this);
    m_job = std::make_unique<print::IssuingJob>(
        print::IssuingServices{.printers = m_context.printers, .settings = m_context.settings, .messages = m_context.messages,
                               .exit = m_context.programExit, .previews = m_previews.get(), .workDir = m_context.workDir},
        *m_products);

    m_text1->setText(QStringLiteral("0001"));
    resetForm();
    m_combo7->setCurrentIndex(0);
    applyLabelSize();
    fillList();
    proposeNextNumber();
}

void S_Touroku::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        adjustSize();
        print::centreOnScreen(*this);
    }
}

void S_Touroku::fillList()
{
    m_list1->clear();
    const store::EntryList entries = m_products->listEntries();
    if (!entries.ok)
        m_context.messages->information(entries.message);
    m_list1->addItems(entries.entries);
    m_command4->setEnabled(false);
}

void S_Touroku::proposeNextNumber()
{
    QStringList entries;
    for (int i = 0; i < m_list1->count(); ++i)
        entries.append(m_list1->item(i)->text());
    m_text1->setText(store::nextFreeNumber(entries));
}

// The form as it stands for a new product; spare 2 and the switches stay.
void S_Touroku::resetForm()
{
    m_loading = true;
    m_text2->setText(QStringLiteral("品名:"));
    m_text3->setText(QStringLiteral("名称:"));
    m_text4->setPlainText(QStringLiteral("原材料名:"));
    m_text5->setText(QStringLiteral("内 容 量:"));
    m_text6->clear();
    m_text7->setText(QStringLiteral("保存方法:"));
    m_text8->setPlainText(QStringLiteral("製造者:"));
    for (QLineEdit *box : {m_text9, m_text11, m_text12, m_text13, m_text14, m_text15})
        box->clear();
    m_barcodeCounter->setText(QStringLiteral("(0/13) "));
    m_combo1->setCurrentIndex(0);
    m_combo2->setCurrentIndex(0);
    m_combo4->setCurrentIndex(0);
    showText(m_combo5, QString());
    showText(m_combo6, QStringLiteral("YYYY年MM月DD日"));
    m_loading = false;
    if (m_combo7->currentIndex() != 0) {
        m_combo7->setCurrentIndex(0);
        applyLabelSize();
    }
    m_command7->setEnabled(false);
    updateCounters();
}

void S_Touroku::loadRecord(const QString &number)
{
    const store::RecordLookup found = m_products->findRecord(number);
    if (!found.ok) {
        m_context.messages->information(found.message);
        return;
    }
    if (!found.recordText)
        return;
    const store::ProductRecord record = store::ProductRecord::fromCells(store::splitRecord(*found.recordText));
    m_loading = true;
    m_text1->setText(record.number);
    m_text2->setText(record.productName);
    m_text3->setText(record.categoryName);
    m_text4->setPlainText(record.ingredients);
    m_text5->setText(record.netContent);
    showText(m_combo1, record.netContentUnit);
    showText(m_combo2, record.expiryTitle);
    showText(m_combo6, record.expiryFormat);
    m_text6->setText(record.expiryAddDays);
    showText(m_combo5, record.expiryAltText);
    m_text7->setText(record.storage);
    m_text15->setText(record.spare1);
    m_text16->setText(record.spare2);
    m_text8->setPlainText(record.responsible);
    m_text9->setText(record.spare3);
    m_text11->setText(record.remarks);
    m_text12->setText(record.barcode);
    m_barcodeCounter->setText(QStringLiteral("(%1/13) ").arg(record.barcode.size()));
    m_switches.load(record.ruledLines);
    m_command7->setEnabled(QFileInfo::exists(picturePath()));
    m_combo4->setCurrentText(isRecycleMark(record.recycleMark) ? record.recycleMark : QStringLiteral("なし"));
    m_text13->setText(record.recycleSub1);
    m_text14->setText(record.recycleSub2);
    if (store::isLabelSize(record.labelSize))
        m_combo7->setCurrentText(record.labelSize);
    m_loading = false;
    applyLabelSize();
}

store::ProductRecord S_Touroku::formRecord() const
{
    store::ProductRecord r;
    r.number = m_text1->text();
    r.productName = m_text2->text();
    r.categoryName = m_text3->text();
    r.ingredients = m_text4->toPlainText();
    r.netContent = m_text5->text();
    r.netContentUnit = m_combo1->currentText();
    r.expiryTitle = m_combo2->currentText();
    r.expiryFormat = m_combo6->currentText();
    r.expiryAddDays = m_text6->text();
    r.expiryAltText = m_combo5->currentText();
    r.storage = m_text7->text();
    r.spare1 = m_text15->text();
    r.spare2 = m_text16->text();
    r.responsible = m_text8->toPlainText();
    r.spare3 = m_text9->text();
    r.remarks = m_text11->text();
    r.barcode = m_text12->text();
    r.recycleMark = m_combo4->currentText();
    r.recycleSub1 = m_text13->text();
    r.recycleSub2 = m_text14->text();
    r.labelSize = labelSize();
    r.ruledLines = m_switches.mask();
    return r;
}

// The number box always holds four digits before the number is used, however
// it was filled: a pasted "12345" must never reach the file as such. An
// empty box or 0 means no number.
bool S_Touroku::settleNumber()
{
    if (store::numericValue(m_text1->text()) == 0)
        return false;
    m_text1->setText(normalisedNumber(m_text1->text()));
    return true;
}

void S_Touroku::save()
{
    if (!settleNumber())
        return;
    const store::SaveResult saved = m_products->saveRecord(formRecord());
    if (!saved.ok) {
        m_context.messages->information(saved.message);
        return;
    }
    const QString number = m_text1->text();
    fillList();
    if (saved.isNew()) {
        m_context.confirmation->ask(savedNotice(QStringLiteral("新規保存しました")));
        resetForm();
        proposeNextNumber();
        m_text1->setFocus();
        return;
    }
    for (int i = 0; i < m_list1->count(); ++i) {
        if (m_list1->item(i)->text().startsWith(number)) {
            m_list1->setCurrentRow(i);
            break;
        }
    }
    m_command4->setEnabled(m_list1->currentItem() != nullptr);
    m_context.confirmation->ask(savedNotice(QStringLiteral("上書き保存しました")));
}

void S_Touroku::removeSelected()
{
    QListWidgetItem *item = m_list1->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString number = item->text().left(4);
    const app::ConfirmationAnswer answer = m_context.confirmation->ask(ConfirmationRequest::question(
        QStringLiteral("登録番号:") + number + QStringLiteral("を削除します"), QStringLiteral("よろしいですか？"),
        QStringLiteral("はい(Y)"), QStringLiteral("いいえ(N)")));
    if (answer != app::ConfirmationAnswer::Left)
        return;
    m_command4->setEnabled(false);
    const store::DeleteResult removed = m_products->deleteRecord(number);
    if (!removed.ok)
        m_context.messages->information(removed.message);
    fillList();
    m_text1->clear();
    resetForm();
    proposeNextNumber();
}

void S_Touroku::preview()
{
    if (!settleNumber())
        return;
    // Seconds do not count on a label.
    QDateTime now = m_context.clock->now();
    now.setTime(QTime(now.time().hour(), now.time().minute()));
    m_job->previewLabel(print::fillLabelJob(formRecord(), print::JobKind::RegistrationPreview, now));
}

QString S_Touroku::picturePath() const
{
    return QDir(m_context.workDir).filePath(normalisedNumber(m_text1->text()) + QStringLiteral(".bmp"));
}

void S_Touroku::registerPicture()
{
    if (!settleNumber())
        return;
    const QString chosen = m_context.pictureChooser->choosePicture(this);
    if (chosen.isEmpty())
        return;
    const QString target = picturePath();
    // The product's own picture chosen again: it is registered already.
    const QFileInfo chosenInfo(chosen);
    const bool same = chosenInfo.exists() && QFileInfo(target).exists() && chosenInfo.canonicalFilePath() == QFileInfo(target).canonicalFilePath();
    if (!same) {
        const store::FileContent picture = store::readWholeFile(chosen);
        const store::WriteOutcome copied = picture.status == store::ReadStatus::Ok
                                               ? store::replaceFileContent(target, target + QStringLiteral(".tmp"), picture.bytes)
                                               : store::WriteOutcome{false, picture.error};
        if (!copied.ok) {
            m_context.messages->information(QStringLiteral("画像の登録に失敗しました") + u'\r' + copied.error);
            return;
        }
    }
    m_context.messages->information(QStringLiteral("画像を登録しました"));
    m_command7->setEnabled(true);
}

void S_Touroku::deletePicture()
{
    if (!settleNumber())
        return;
    const QString number = m_text1->text();
    const app::ConfirmationAnswer answer = m_context.confirmation->ask(ConfirmationRequest::question(
        number + QStringLiteral(".bmpを削除します"), QStringLiteral("よろしいですか？"), QStringLiteral("はい"),
        QStringLiteral("いいえ")));
    if (answer != app::ConfirmationAnswer::Left)
        return;
    QFile picture(picturePath());
    if (picture.exists() && !picture.remove()) {
        m_context.messages->information(QStringLiteral("画像ファイルの削除に失敗しました") + u'\r' + picture.errorString());
        return;
    }
    m_context.messages->information(QStringLiteral("画像ファイルを削除しました"));
    m_command7->setEnabled(false);
}

void S_Touroku::returnToMenu()
{
    const app::ConfirmationAnswer answer = m_context.confirmation->ask(ConfirmationRequest::question(
        QStringLiteral("商品情報の登録を終了します"), QStringLiteral("よろしいですか？"), QStringLiteral("はい"),
        QStringLiteral("いいえ")));
    if (answer == app::ConfirmationAnswer::Left)
        close();
}

} // namespace screens
