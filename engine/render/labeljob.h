#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace engine {

// The input of one label: a buffer of text slots that the calling screen
// fills from a product and its own boxes. The engine reads the slots and
// never changes them, so composing the same job twice draws the same label.
struct LabelJob
{
    enum Slot : int {
        Number = 0,
        ProductName = 1,
        CategoryName = 2,
        Ingredients = 3,
        NetContent = 4,
        NetContentUnit = 5,
        ExpiryTitle = 6,
        ExpiryFormat = 7,
        ExpiryAddDays = 8,
        ExpiryAltText = 9,
        Storage = 10,
        Spare1 = 11,
        Responsible = 13,
        Spare3 = 14,
        Remarks = 16,
        Barcode = 17,
        RecycleMark = 18,
        RecycleSub1 = 19,
        RecycleSub2 = 20,
        ExpiryDisplayMethod = 31,
        LabelSize = 32,
        Spare2 = 33,
        RuledLines = 34,
        CopyCount = 35,
    };
    static constexpr int kSlotCount = 36;

    std::array<QString, kSlotCount> buffer;
    QDateTime baseDate;
    bool toPrinter = false;
    // Only the registration screen's preview: it places recycling marks differently.
    bool registrationPreview = false;

    const QString &operator[](Slot slot) const { return buffer[static_cast<size_t>(slot)]; }
    QString &operator[](Slot slot) { return buffer[static_cast<size_t>(slot)]; }
};

// The three label formats, compared exactly; any other value draws nothing.
inline constexpr char16_t kPortraitLabel[] = u"65×45(タテ)";
inline constexpr char16_t kLandscapeLabel[] = u"65×45(ヨコ)";
inline constexpr char16_t kSmallLabel[] = u"28×38";

// The font every label text is drawn in; the platform maps it to a Japanese Gothic.
inline constexpr char16_t kPrinterFont[] = u"ＭＳ ゴシック";

} // namespace engine
