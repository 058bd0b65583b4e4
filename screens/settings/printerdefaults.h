#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace screens {

// The two printer families whose code in the name leaves the model open.
enum class ModelFamily { Twelve, Eight }; // "T12"/"R12", "T8"/"R8"

// The captions of the model window's buttons for a family: answer 1, answer 2.
std::array<QString, 2> modelCaptions(ModelFamily family);

// The start positions of a printer model, in the order of the settings
// screen's boxes: portrait across and down, landscape across and down
// (twips), and the paper form number.
struct StartPositions
{
    std::array<QString, 4> positions;
    QString paperForm;

    bool operator==(const StartPositions &) const = default;
};

// What the printer's name makes of the settings screen: the hints beside the
// four boxes, the values for them when they are to be filled in, and whether
// the model window was opened to ask.
struct PrinterDefaults
{
    std::optional<std::array<QString, 4>> hints;
    std::optional<StartPositions> values;
    bool askedModel = false;
};

// Answers the model window's question for a family: 1, 2, or nothing when the
// window was closed.
using AskModel = std::function<std::optional<int>(ModelFamily)>;

// The defaults routine of the settings screen for the printer name `name`.
// The name is scanned from its first character to its third-last; at each
// position the codes "408v", "412v", "2130", then "T12"/"R12", then
// "T8"/"R8" are tried, and the first that matches decides. A four-character
// code gives its model's hints, and its values when `apply` is set. A
// family code with `apply` set asks the model and gives the answered model's
// hints and values (the range hints when nothing was answered); without
// `apply` it gives the family's range hints and the scan goes on. A name
// without any code gives nothing.
PrinterDefaults printerDefaults(const QString &name, bool apply, const AskModel &askModel);

} // namespace screens
