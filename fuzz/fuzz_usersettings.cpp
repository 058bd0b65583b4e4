// user.dat as any bytes: read, completed as the main menu does, and its
// paper-form line switched as the engine does. Completion leaves a whole
// file that is never completed again, and the switch keeps the other lines.
#include "fuzz/fuzzsupport.h"

#include "store/usersettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace fuzzsupport;
    const QByteArrayView content = bytesOf(data, size);
    putFile(QStringLiteral("user.dat"), content);

    const std::optional<store::UserSettings> read = store::readUserSettings(folder());
    check(read.has_value(), "a readable user.dat reads");
    read->portraitStartXValue();
    read->portraitStartYValue();
    read->paperFormValue();
    read->landscapeStartXValue();
    read->landscapeStartYValue();

    const store::EnsureResult ensured = store::ensureUserSettings(folder());
    check(!ensured.failed(), "a readable user.dat is completed");
    const std::optional<store::UserSettings> completed = store::readUserSettings(folder());
    check(completed.has_value(), "a completed user.dat reads");
    check(store::ensureUserSettings(folder()).outcome == store::EnsureOutcome::Unchanged,
          "a completed user.dat is left as it is");

    check(store::writePaperFormLine(folder(), QStringLiteral("0514")).ok, "the paper form switch writes");
    std::optional<store::UserSettings> switched = store::readUserSettings(folder());
    check(switched.has_value() && switched->paperForm == QStringLiteral("0514"), "the switch is read back");
    switched->paperForm = completed->paperForm;
    check(*switched == *completed, "the switch keeps the other eight lines");
    return 0;
}
