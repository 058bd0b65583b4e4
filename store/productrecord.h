#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace store {

// One product's label data: one line of the product file, 22 text fields in
// file order. Text fields carry their printed caption ("品名:...") and their
// markup tags inside the value.
struct ProductRecord
{
    QString number;          // registration number, "0001" to "9999"
    QString productName;
    QString categoryName;
    QString ingredients;
    QString netContent;
    QString netContentUnit;
    QString expiryTitle;
    QString expiryFormat;
    QString expiryAddDays;
    QString expiryAltText;
    QString storage;
    QString spare1;
    QString spare2;
    QString responsible;
    QString spare3;
    QString remarks;
    QString barcode;
    QString recycleMark;
    QString recycleSub1;
    QString recycleSub2;
    QString labelSize;       // "65×45(タテ)", "65×45(ヨコ)" or "28×38"
    QString ruledLines;      // see RuledLineMask

    // Reads a record text (a line without its line end). A text without any
    // TAB is no record. Missing cells are empty.
    static std::optional<ProductRecord> fromRecordText(QStringView recordText);
    // Fields from the cells of `splitRecord`; missing cells are empty.
    static ProductRecord fromCells(const QStringList &cells);

    // The line the save writes: fields 1 to 20 cleaned, each followed by a
    // TAB, then the label size, the 11-character mask and a final TAB.
    QString recordText() const;

    bool operator==(const ProductRecord &) const = default;
};

inline constexpr int kProductFieldCount = 22;

// The fields in file order, with the names scripts use for them.
inline constexpr std::array<QString ProductRecord::*, kProductFieldCount> kProductFields{
    &ProductRecord::number, &ProductRecord::productName, &ProductRecord::categoryName,
    &ProductRecord::ingredients, &ProductRecord::netContent, &ProductRecord::netContentUnit,
    &ProductRecord::expiryTitle, &ProductRecord::expiryFormat, &ProductRecord::expiryAddDays,
    &ProductRecord::expiryAltText, &ProductRecord::storage, &ProductRecord::spare1,
    &ProductRecord::spare2, &ProductRecord::responsible, &ProductRecord::spare3,
    &ProductRecord::remarks, &ProductRecord::barcode, &ProductRecord::recycleMark,
    &ProductRecord::recycleSub1, &ProductRecord::recycleSub2, &ProductRecord::labelSize,
    &ProductRecord::ruledLines};

inline constexpr std::array<const char *, kProductFieldCount> kProductFieldNames{
    "number", "productName", "categoryName", "ingredients", "netContent", "netContentUnit",
    "expiryTitle", "expiryFormat", "expiryAddDays", "expiryAltText", "storage", "spare1",
    "spare2", "responsible", "spare3", "remarks", "barcode", "recycleMark",
    "recycleSub1", "recycleSub2", "labelSize", "ruledLines"};

// The first cell of the header line: the version of the file format.
inline constexpr char16_t kProductFormatVersion[] = u"1.08";

// The column titles after the version cell, in field order.
inline constexpr std::array<const char16_t *, kProductFieldCount - 1> kProductHeaderTitles{
    u"品名 (最大全角13文字)",
    u"名称 (最大全角13文字)",
    u"原材料名 (拡張モード使用時最大370文字)",
    u"内容量 (最大全角１１文字)",
    u"内容量単位 (最大全角２文字)",
    u"期限タイトル (最大全角４文字)",
    u"期限書式 (書式欄の記入例準拠)",
    u"加算日数 (最大半角数字５桁)",
    u"別途記載表現 (最大全角１１文字)",
    u"保存方法",
    u"予備欄１",
    u"予備欄２",
    u"責任者",
    u"予備欄３",
    u"備考＆価格",
    u"バーコード (半角数字8桁または13桁)",
    u"リサイクルマーク (プラ、紙、紙＆プラ、プラ＆紙)",
    u"リサイクル添え字１ (最大全角５文字)",
    u"リサイクル添え字２ (最大全角５文字)",
    u"ラベルサイズ(大ラベルまたは小ラベル)",
    u"罫線 (oまたはxの羅列表記)",
};

// The header line of a product file, without its line end.
QString productFileHeader();

// True for the three label sizes a record may name.
bool isLabelSize(QStringView text);

// The cells of a record text, cut at every TAB; at most 31 are kept. Cells 0
// to 20 come back with "<kanma>" turned into ","; the mask (cell 21) and any
// later cell as stored. A text without TAB gives a single cell.
QStringList splitRecord(QStringView recordText);

// The ruled-line groups, in the order of their positions in the mask.
enum class RuledGroup {
    ProductName,
    CategoryName,
    Ingredients,
    NetContent,
    Expiry,
    Storage,
    Spare1,
    Spare2,
    Responsible,
    Spare3,
    Remarks,
};

inline constexpr int kRuledGroupCount = 11;

// Which field groups a label frames with ruled lines: "o" on, anything else
// off, missing positions off. Always written as 11 characters.
class RuledLineMask
{
public:
    static RuledLineMask fromText(QStringView text);

    bool isOn(RuledGroup group) const { return m_on[static_cast<size_t>(group)]; }
    void setOn(RuledGroup group, bool on) { m_on[static_cast<size_t>(group)] = on; }
    bool any() const;
    QString text() const;

    bool operator==(const RuledLineMask &) const = default;

private:
    std::array<bool, kRuledGroupCount> m_on{};
};

} // namespace store
