#include "engine/render/janmodules.h"

#include <array>

namespace engine {
namespace {

// The number sets of the EAN/UPC symbology, digit 0 to 9. Set C is set A
// with bars and spaces swapped; set B is set C read backwards.
constexpr std::array<const char *, 10> kSetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                                "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::array<const char *, 10> kSetB = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                                "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr std::array<const char *, 10> kSetC = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                                "1001110", "1010000", "1000100", "1001000", "1110100"};

// The leading digit of an EAN-13 code is carried by the sets of the six
// left-hand digits: "O" set A, "E" set B.
constexpr std::array<const char *, 10> kParity = {"OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                                  "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};

constexpr const char *kEdgeGuard = "101";
constexpr const char *kCentreGuard = "01010";

int digitAt(const QString &code, qsizetype index)
{
    if (index >= code.size())
        return 0;
    const QChar c = code.at(index);
    return (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : 0;
}

} // namespace

QString janModules(const QString &code)
{
    QString modules;
    modules.reserve(95);
    const char *parity = kParity.at(digitAt(code, 0));
    if (code.size() == 13) {
        modules += QLatin1String(kEdgeGuard);
        for (qsizetype i = 1; i <= 6; ++i) {
            const int digit = digitAt(code, i);
            modules += QLatin1String(parity[i - 1] == 'O' ? kSetA.at(digit) : kSetB.at(digit));
        }
        modules += QLatin1String(kCentreGuard);
        for (qsizetype i = 7; i <= 12; ++i)
            modules += QLatin1String(kSetC.at(digitAt(code, i)));
        modules += QLatin1String(kEdgeGuard);
    } else if (code.size() == 8) {
        modules += QString(14, u'0');
        modules += QLatin1String(kEdgeGuard);
        for (qsizetype i = 0; i <= 3; ++i)
            modules += QLatin1String(kSetA.at(digitAt(code, i)));
        modules += QLatin1String(kCentreGuard);
        for (qsizetype i = 4; i <= 7; ++i)
            modules += QLatin1String(kSetC.at(digitAt(code, i)));
        modules += QLatin1String(kEdgeGuard);
    } else {
        modules += QLatin1String(kEdgeGuard);
        modules += QLatin1String(kCentreGuard);
        modules += QLatin1String(kEdgeGuard);
    }
    return modules;
}

bool isJanGuardModule(qsizetype codeLength, qsizetype position)
{
    if (codeLength == 13)
        return position <= 3 || (position >= 46 && position <= 50) || position >= 93;
    if (codeLength == 8)
        return position <= 17 || (position >= 46 && position <= 49) || position >= 79;
    return false;
}

QString janHumanReadable(const QString &code)
{
    if (code.size() == 13)
        return u' ' + code.left(6) + u' ' + code.mid(6);
    if (code.size() == 8)
        return QStringLiteral("   ") + code.left(4) + u' ' + code.mid(4);
    return {};
}

} // namespace engine
