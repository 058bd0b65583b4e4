// The issuing screen's product: the product list, the lookup, the keyword
// search, the expiry text and the marks of changed values.

#include "screens/issuing/insatsu.h"

#include "engine/render/expirydate.h"
#include "platform/clock.h"
#include "platform/messagesink.h"
#include "screens/issuing/changemarks.h"
#include "screens/issuing/lookupnumber.h"
#include "screens/issuing/productsearch.h"
#include "screens/issuing/rangecorrection.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace screens {
namespace {

const QString kSearched = QStringLiteral("検索しました");
const QString kNothingFound = QStringLiteral("入力されたキーワードに対する商品がありません");

void setTextColour(QLineEdit *box, const QColor &colour)
{
    if (box->palette().color(QPalette::Text) == colour)
        return;
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}

// Rewrites a box only when its text changes, so the caret stays put.
void setBoxText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void Insatsu::fillProductList()
{
    const store::EntryList listed = m_job->products().listEntries();
    m_list1->clear();
    if (!listed.ok) {
        m_context.messages->information(listed.message);
        return;
    }
    m_list1->addItems(listed.entries);
}

void Insatsu::lookUp()
{
    const QString number = lookupNumberText(m_text1->text());
    m_text1->setText(number);
    m_lookedUp = number;
    if (isNoNumber(number))
        return;
    QString error;
    const std::optional<store::ProductRecord> found = m_job->lookupProduct(number, &error);
    // A product file that cannot be read shows nothing, rather than what it showed before.
    if (!error.isEmpty())
        m_context.messages->information(error);
    showProduct(found);
    if (found) {
        m_shownNumber = number;
        m_text4->setFocus(Qt::OtherFocusReason);
    } else {
        m_text1->selectAll();
    }
}

void Insatsu::showProduct(const std::optional<store::ProductRecord> &product)
{
    m_shown = product;
    if (!product)
        m_shownNumber.clear();
    m_text2->setText(product ? product->productName : QString());
    m_text3->setText(product ? product->categoryName : QString());
    m_text5->setText(product ? storedValue(EditableBox::NetContent, *product) : QString());
    m_text4->clear();
    m_text13->setText(product ? product->expiryAddDays : QString());
    m_text14->setText(product ? product->labelSize : QString());
    const BoxColours colours = labelSizeColours(m_text14->text());
    QPalette palette = m_text14->palette();
    palette.setColor(QPalette::Text, colours.text);
    palette.setColor(QPalette::Base, colours.base);
    m_text14->setPalette(palette);
    m_text12->clear();
    markEdits();
    updateExpiryText();
}

void Insatsu::chooseListEntry()
{
    const QListWidgetItem *item = m_list1->currentItem();
    if (!item || !item->isSelected())
        return;
    m_text1->setText(item->text().left(4));
    lookUp();
}

void Insatsu::search()
{
    const SearchResult found = searchProducts(m_job->products(), m_text6->text());
    m_list1->clear();
    if (!found.ok) {
        m_context.messages->information(found.message);
        return;
    }
    m_list1->addItems(found.entries);
    if (!found.entries.isEmpty()) {
        m_context.messages->information(kSearched);
        return;
    }
    m_context.messages->information(kNothingFound);
    m_text6->setFocus(Qt::OtherFocusReason);
    fillProductList();
}

void Insatsu::updateExpiryText()
{
    if (!m_shown)
        return;
    engine::ExpiryScreenInput in;
    in.year = m_dateParts[0]->text();
    in.month = m_dateParts[1]->text();
    in.day = m_dateParts[2]->text();
    in.hour = m_dateParts[3]->text();
    in.minute = m_dateParts[4]->text();
    in.displayMethod = m_combo5->currentText();
    in.addDays = m_text13->text();
    in.expiryTitle = m_shown->expiryTitle;
    in.expiryFormat = m_shown->expiryFormat;
    in.expiryAltText = m_shown->expiryAltText;
    const engine::ExpiryScreenResult result = engine::expiryScreenText(in);
    const std::array<QString, 5> normalised{result.year, result.month, result.day, result.hour, result.minute};
    for (size_t i = 0; i < m_dateParts.size(); ++i)
        setBoxText(m_dateParts[i], normalised[i]);
    if (result.invalidDate) {
        // No date is shown for a base date that names no day.
        m_text12->clear();
        reportInvalidDate();
        return;
    }
    m_text12->setText(result.text);
    m_text12->setCursorPosition(0);
}

void Insatsu::reportInvalidDate()
{
    // Said once the focus has moved on: a message box coming up while the
    // focus is on its way would hold the button that was clicked down, and
    // two boxes left in one move say it once.
    if (m_invalidDateQueued)
        return;
    m_invalidDateQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_invalidDateQueued = false;
            engine::reportInvalidBaseDate(*m_context.messages);
        },
        Qt::QueuedConnection);
}

void Insatsu::leaveDatePart(size_t index)
{
    setBoxText(m_dateParts[index], correctedDatePart(kDateParts[index], m_dateParts[index]->text(), m_context.clock->now()));
    markDateParts();
    updateExpiryText();
}

void Insatsu::leaveAddDays()
{
    setBoxText(m_text13, correctedAddDays(m_text13->text()));
    updateExpiryText();
}

void Insatsu::markEdits()
{
    const std::array<std::pair<QLineEdit *, EditableBox>, 4> boxes{
        {{m_text2, EditableBox::ProductName}, {m_text3, EditableBox::CategoryName},
         {m_text5, EditableBox::NetContent}, {m_text13, EditableBox::AddDays}}};
    for (const auto &[box, which] : boxes)
        setTextColour(box, markColour(differsFromStored(which, box->text(), m_shown)));
}

void Insatsu::markDateParts()
{
    const QDateTime now = m_context.clock->now();
    for (size_t i = 0; i < m_dateParts.size(); ++i)
        setTextColour(m_dateParts[i], markColour(differsFromNow(kDateParts[i], m_dateParts[i]->text(), now)));
}

} // namespace screens
