#pragma once

#include <QList>
#include <QString>

namespace platform {
class Printer;
}

namespace print {

// Twips as whole millimetres, as the paper list shows them: twips / 56.7,
// rounded to the nearest whole number, a tie to the even one.
int listedMillimetres(int twips);

// One entry of the paper list: the form number in four digits, ":", its
// size and "ラベル " ("0009:100mmx150mmラベル "); the 115 x 115 mm form
// the labels are best printed on adds " (お勧め)".
QString paperListEntry(int number, int widthTwips, int heightTwips);

// The paper numbers a driver may offer, in the order they are tried.
inline constexpr int kFirstPaperNumber = 1;
inline constexpr int kLastPaperNumber = 1024;

// Finds the paper forms a printer accepts by trying every paper number in
// turn, a few at a time, so that a window can show its progress and stop
// it. A number the driver refuses is skipped. The printer keeps the last
// paper it accepted.
class PaperProbe
{
public:
    explicit PaperProbe(platform::Printer &printer) : m_printer(&printer) {}

    // Tries up to `count` more numbers; false once every number was tried.
    bool step(int count);

    bool finished() const { return m_next > kLastPaperNumber; }
    // How many numbers have been tried.
    int tried() const { return m_next - kFirstPaperNumber; }
    const QStringList &entries() const { return m_entries; }

private:
    platform::Printer *m_printer = nullptr;
    int m_next = kFirstPaperNumber;
    QStringList m_entries;
};

} // namespace print
