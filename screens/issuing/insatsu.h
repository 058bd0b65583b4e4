#pragma once

#include "app/appcontext.h"
#include "print/issuingjob.h"
#include "store/productrecord.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace print {
class WidgetPreviewHost;
}

namespace screens {

// "印刷処理": where labels are printed. The user picks a registered product
// by number, from the product list or by a keyword, may change its name,
// category, net content and add-days for this issue only, sets the base
// date and time, the expiry display method and the copies, and prints or
// previews. In the several-kinds mode the products are collected in the
// issue list and printed together.
//
// The screen reads user.dat once, when it opens; when the printer it names
// is not installed the user is told, the program ends and the screen is
// never shown (ended()).
class Insatsu final : public QWidget
{
    Q_OBJECT

public:
    explicit Insatsu(const app::AppContext &context, QWidget *parent = nullptr);
    ~Insatsu() override;

    // The opening found no printer: the program is ending.
    bool ended() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Mode { OneKind, SeveralKinds };

    // Building and opening (insatsu.cpp).
    void buildControls();
    void layOutControls();
    void connectControls();
    void open();

    // Looking products up and showing them (insatsuproduct.cpp).
    void fillProductList();
    void lookUp();
    void showProduct(const std::optional<store::ProductRecord> &product);
    void chooseListEntry();
    void search();
    void updateExpiryText();
    void reportInvalidDate();
    void leaveDatePart(size_t index);
    void leaveAddDays();
    void markEdits();
    void markDateParts();

    // The buttons and the keys (insatsuhandlers.cpp).
    void pressMain();
    void printShown();
    void registerShown();
    void preview();
    void printList();
    void deleteEntry();
    void dump();
    void switchMode();
    void applyMode();
    void showIssueList();
    void focusAfter(print::IssuingFocus focus);
    bool keyPressed(QObject *watched, int key);
    void focusLeft(QObject *watched);
    print::IssuingInput input() const;
    print::IssuingMode jobMode() const;

    app::AppContext m_context;
    std::unique_ptr<print::WidgetPreviewHost> m_previews;
    std::unique_ptr<print::IssuingJob> m_job;
    bool m_ended = false;
    bool m_centred = false;
    Mode m_mode = Mode::OneKind;
    // The product the last lookup found, and the number it was found by.
    std::optional<store::ProductRecord> m_shown;
    QString m_shownNumber;
    // What the number box said after the last lookup: passing through the
    // box without changing it keeps the values changed for this issue.
    QString m_lookedUp;
    bool m_invalidDateQueued = false;

    QLabel *m_label1 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text5 = nullptr;
    QLineEdit *m_text13 = nullptr;
    QLineEdit *m_text14 = nullptr;
    QLineEdit *m_text12 = nullptr;
    std::array<QLineEdit *, 5> m_dateParts{}; // Text7 to Text11: year, month, day, hour, minute
    QComboBox *m_combo5 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QLineEdit *m_text6 = nullptr;
    QPushButton *m_command4 = nullptr;
    QLabel *m_list1Heading = nullptr;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QLabel *m_command6Caption = nullptr;
    QPushButton *m_command6 = nullptr;
    QLabel *m_list2Heading = nullptr;
    QListWidget *m_list2 = nullptr;
    QPushButton *m_command7 = nullptr;
    QPushButton *m_command8 = nullptr;
    QPushButton *m_command5 = nullptr;
};

} // namespace screens
