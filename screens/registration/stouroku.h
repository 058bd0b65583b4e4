#pragma once

#include "app/appcontext.h"
#include "screens/registration/rulingswitches.h"
#include "store/productfile.h"
#include "store/usersettings.h"

#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace print {
class IssuingJob;
class WidgetPreviewHost;
} // namespace print

namespace screens {

class SwitchCaption;

// "商品情報の登録": the products of the product file, one at a time in a form,
// with counters that say whether each text fits the label size, the
// ruled-line switches, the label preview, and the product's label picture.
//
// The screen reads user.dat and forms the product file's paths once, when it
// opens. When the printer of user.dat is not installed the program ends
// before the screen shows (ended()).
class S_Touroku final : public QWidget
{
    Q_OBJECT

public:
    explicit S_Touroku(const app::AppContext &context, QWidget *parent = nullptr);
    ~S_Touroku() override;

    // The program was asked to end while the screen opened: do not show it.
    bool ended() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The form's own parts (stourokulayout.cpp).
    void buildControls();
    void connectControls();
    // Opening, the product file and the picture (stouroku.cpp).
    void open();
    void fillList();
    void proposeNextNumber();
    void loadRecord(const QString &number);
    void resetForm();
    store::ProductRecord formRecord() const;
    bool settleNumber();
    void save();
    void removeSelected();
    void preview();
    void registerPicture();
    void deletePicture();
    void returnToMenu();
    QString picturePath() const;
    // Typing, counters, switches and the label size (stourokuinput.cpp).
    bool handleKey(QObject *watched, QKeyEvent *event);
    bool protectsSeparator(QObject *watched) const;
    bool keepSeparator(QObject *watched, QKeyEvent *event);
    void gainFocus(QObject *watched);
    void loseFocus(QObject *watched);
    void updateCounters();
    void updateSwitches();
    void clickSwitch(store::RuledGroup group);
    void applyLabelSize();
    void barcodeEdited();
    void checkBarcode();
    void openInstoreCode();
    bool openEnlargedEditor(QObject *watched);
    QString labelSize() const;

    app::AppContext m_context;
    store::UserSettings m_settings;
    std::unique_ptr<store::ProductFile> m_products;
    std::unique_ptr<print::WidgetPreviewHost> m_previews;
    std::unique_ptr<print::IssuingJob> m_job;
    RulingSwitches m_switches;
    bool m_ended = false;
    bool m_centred = false;
    bool m_loading = false; // the form is being filled from a record

    QLabel *m_heading = nullptr;
    QLineEdit *m_text1 = nullptr;  // registration number
    QLineEdit *m_text2 = nullptr;  // product name
    QLineEdit *m_text3 = nullptr;  // category name
    QPlainTextEdit *m_text4 = nullptr; // ingredients
    QLineEdit *m_text5 = nullptr;  // net content
    QComboBox *m_combo1 = nullptr; // its unit
    QComboBox *m_combo2 = nullptr; // expiry title
    QComboBox *m_combo6 = nullptr; // expiry format
    QLineEdit *m_text6 = nullptr;  // add days
    QComboBox *m_combo5 = nullptr; // expiry text printed instead
    QLineEdit *m_text7 = nullptr;  // storage
    QLineEdit *m_text15 = nullptr; // spare 1
    QLineEdit *m_text16 = nullptr; // spare 2
    QPlainTextEdit *m_text8 = nullptr; // responsible
    QLineEdit *m_text9 = nullptr;  // spare 3
    QLineEdit *m_text11 = nullptr; // remarks
    QLineEdit *m_text12 = nullptr; // barcode
    QComboBox *m_combo4 = nullptr; // recycling mark
    QLineEdit *m_text13 = nullptr; // recycling subscripts
    QLineEdit *m_text14 = nullptr;
    QComboBox *m_combo7 = nullptr; // label size
    QListWidget *m_list1 = nullptr;

    QPushButton *m_command1 = nullptr; // save
    QPushButton *m_command2 = nullptr; // back to the menu
    QPushButton *m_command3 = nullptr; // preview
    QPushButton *m_command4 = nullptr; // delete
    QPushButton *m_command5 = nullptr; // all ruled lines
    QPushButton *m_command6 = nullptr; // register a picture
    QPushButton *m_command7 = nullptr; // delete the picture

    // Counters, in the fields' order.
    QLabel *m_label21 = nullptr, *m_label22 = nullptr, *m_label24 = nullptr, *m_label34 = nullptr,
           *m_label25 = nullptr, *m_label17 = nullptr, *m_label40 = nullptr, *m_label26 = nullptr,
           *m_label27 = nullptr, *m_label29 = nullptr, *m_label31 = nullptr, *m_label32 = nullptr;
    QLabel *m_barcodeCounter = nullptr;
    QLabel *m_ingredientsFirst = nullptr;  // extension mode only
    QLabel *m_ingredientsSecond = nullptr;
    QLabel *m_extensionNote = nullptr;

    // The captions that switch ruled lines, by mask position; the expiry
    // block has four captions that act as one.
    std::array<QList<SwitchCaption *>, store::kRuledGroupCount> m_switchCaptions;
    SwitchCaption *m_barcodeCaption = nullptr;
    SwitchCaption *m_recycleCaption = nullptr;
};

} // namespace screens
