#pragma once

#include "store/ensureresult.h"
#include "store/fileresult.h"
#include "store/filelock.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <chrono>
#include <optional>

namespace store {

inline constexpr QStringView kUserSettingsFileName = u"user.dat";
inline constexpr QStringView kUserSettingsWorkFileName = u"user.tmp";
inline constexpr QStringView kUserSettingsLockFileName = u"user.lock";

// Line 1 until a printer has been chosen on the settings screen.
inline constexpr QStringView kPrinterPlaceholder = u"ﾌﾟﾘﾝﾀｰをお選び下さい";
inline constexpr QStringView kCollatedOff = u"しない";
inline constexpr QStringView kCollatedOn = u"する";
inline constexpr QStringView kLocationUsb = u"ＵＳＢメモリ";
inline constexpr QStringView kLocationHardDisk = u"ハードディスク";
inline constexpr QStringView kNoPaperForm = u"0000";
inline constexpr QStringView kBarcodeBySoftware = u"ソフトウェアにて生成";
inline constexpr QStringView kBarcodeByFont = u"バーコードフォント使用";

// Shown once when a user.dat of an older version was given its missing lines.
inline constexpr QStringView kSettingsCompletedMessage = u"Ver1.07d以前の印刷設定情報を、Ver1.08以降用に変更しました";

inline constexpr int kUserSettingsLineCount = 9;

// The machine's print settings: the nine lines of user.dat, as stored.
struct UserSettings
{
    QString printer;          // 1: the printer's device name, or the placeholder
    QString portraitStartX;   // 2: twips
    QString portraitStartY;   // 3: twips
    QString collatedPrinting; // 4: "しない" or "する"
    QString dataLocation;     // 5: "ＵＳＢメモリ" or "ハードディスク"
    QString paperForm;        // 6: four digits, "0000" for none
    QString barcodeMethod;    // 7: "ソフトウェアにて生成" or "バーコードフォント使用"
    QString landscapeStartX;  // 8: twips
    QString landscapeStartY;  // 9: twips

    static UserSettings defaults();

    // The nine values in file order, and back; missing lines are empty.
    QStringList lines() const;
    static UserSettings fromLines(const QStringList &lines);

    bool hasPrinter() const { return printer != kPrinterPlaceholder; }
    bool collated() const { return collatedPrinting == kCollatedOn; }
    // Anything but "ハードディスク" puts the product file on the USB memory.
    bool productsOnHardDisk() const { return dataLocation == kLocationHardDisk; }
    bool barcodeBySoftware() const { return barcodeMethod == kBarcodeBySoftware; }

    // Numeric lines are read by their value; blanks around the digits do not count.
    int portraitStartXValue() const { return numberIn(portraitStartX); }
    int portraitStartYValue() const { return numberIn(portraitStartY); }
    int paperFormValue() const { return numberIn(paperForm); }
    int landscapeStartXValue() const { return numberIn(landscapeStartX); }
    int landscapeStartYValue() const { return numberIn(landscapeStartY); }

    static int numberIn(QStringView line);

    friend bool operator==(const UserSettings &, const UserSettings &) = default;
};

// The settings as stored in `workDir`. Empty, with `error` set to a message
// for the user, when user.dat is missing or cannot be read.
std::optional<UserSettings> readUserSettings(const QString &workDir, QString *error = nullptr);

// Every writer of user.dat holds its lock ("user.lock") from reading to
// renaming; one that cannot get it within `lockWait` writes nothing.

// Writes all nine lines, replacing user.dat only once the new file is complete.
FileResult writeUserSettings(const QString &workDir, const UserSettings &settings,
                             std::chrono::milliseconds lockWait = kLockWait);

// What the main menu does each time it comes up: a missing user.dat is
// created with the defaults, a short one (an older version's) is given the
// missing lines. A user.dat that exists but cannot be read is left alone.
EnsureResult ensureUserSettings(const QString &workDir, std::chrono::milliseconds lockWait = kLockWait);

// Switches the paper form in line 6 (the label engine, for "2130" printers),
// keeping the other eight lines byte for byte.
FileResult writePaperFormLine(const QString &workDir, const QString &paperForm,
                              std::chrono::milliseconds lockWait = kLockWait);

} // namespace store
