#include "screens/settings/printerdefaults.h"

namespace screens {
namespace {


StartPositions row(int portraitX, int portraitY, int landscapeX, int landscapeY, const char *paperForm = "0000")
{
    return {{QString::number(portraitX), QString::number(portraitY), QString::number(landscapeX),
             QString::number(landscapeY)},
            QLatin1String(paperForm)};
}

std::array<QString, 4> hintsOf(const StartPositions &values)
{
    std::array<QString, 4> hints;
    for (size_t i = 0; i < hints.size(); ++i)
        hints[i] = QStringLiteral("(基本値:%1)").arg(values.positions[i]);
    return hints;
}

// The hints while the model of a family is not known.
std::array<QString, 4> rangeHints(ModelFamily family)
{
    if (family == ModelFamily::Twelve)
        return {QStringLiteral("(基本値:1770～1830)"), QStringLiteral("(基本値:70～110)"),
                QStringLiteral("(基本値:1760～1820)"), QStringLiteral("(基本値:20～70)")};
    return {QStringLiteral("(基本値:1730～1820)"), QStringLiteral("(基本値:20～50)"),
            QStringLiteral("(基本値:1730～1770)"), QStringLiteral("(基本値:50～100)")};
}

// The model answered 1 or 2 for a family.
StartPositions familyRow(ModelFamily family, int answer)
{
    if (family == ModelFamily::Twelve)
        return answer == 1 ? row(1770, 70, 1760, 70) : row(1830, 110, 1820, 20);
    return answer == 1 ? row(1730, 150, 1730, 60) : row(1730, 50, 1730, 50);
}

} // namespace

std::array<QString, 2> modelCaptions(ModelFamily family)
{
    if (family == ModelFamily::Twelve)
        return {QStringLiteral("Ｔ１２ または Ｒ１２"), QStringLiteral("Ｔ４１２ または Ｒ４１２")};
    return {QStringLiteral("Ｔ８ または Ｒ８"), QStringLiteral("Ｔ４０８ または Ｒ４０８")};
}

PrinterDefaults printerDefaults(const QString &name, bool apply, const AskModel &askModel)
{
    PrinterDefaults result;
    const auto give = [&](const StartPositions &values) {
        result.hints = hintsOf(values);
        if (apply)
            result.values = values;
    };
    for (qsizetype i = 0; i + 2 < name.size(); ++i) {
        const QStringView at = QStringView(name).mid(i);
        if (at.startsWith(u"408v")) {
            give(row(1810, 80, 1770, 80));
            return result;
        }
        if (at.startsWith(u"412v")) {
            give(row(1800, 100, 1800, 100));
            return result;
        }
        if (at.startsWith(u"2130")) {
            give(row(150, 0, 100, 0, "0514"));
            return result;
        }
        std::optional<ModelFamily> family;
        if (at.startsWith(u"T12") || at.startsWith(u"R12"))
            family = ModelFamily::Twelve;
        else if (at.startsWith(u"T8") || at.startsWith(u"R8"))
            family = ModelFamily::Eight;
        if (!family)
            continue;
        if (!apply) {
            result.hints = rangeHints(*family);
            continue;
        }
        result.askedModel = true;
        const std::optional<int> answer = askModel ? askModel(*family) : std::nullopt;
        if (answer == 1 || answer == 2)
            give(familyRow(*family, *answer));
        else
            result.hints = rangeHints(*family);
        return result;
    }
    return result;
}

} // namespace screens
