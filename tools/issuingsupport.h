#pragma once

#include "platform/messagesink.h"
#include "platform/programexit.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace engine {
class Recording;
}

namespace cli {

struct Context;

// Message boxes become lines on stderr; with a recording they are written
// into it as well, where the label's other events are.
class TerminalMessages final : public platform::MessageSink
{
public:
    explicit TerminalMessages(Context &context, engine::Recording *recording = nullptr)
        : m_context(context), m_recording(recording)
    {
    }
    void information(const QString &text) override;
    bool question(const QString &text) override;

private:
    Context &m_context;
    engine::Recording *m_recording = nullptr;
};

// The program would end here: the command stops and fails.
class CommandExit final : public platform::ProgramExit
{
public:
    void exit(int status) override { code = status == 0 ? 1 : status; }
    int code = 0;
};

// The base date of "YYYY-MM-DD hh:mm" (or "YYYY-MM-DD" for midnight), as the
// issuing screen's five boxes would hold it; invalid when it names no day
// ("2026-02-30"). Empty for text of any other form.
std::optional<QDateTime> baseDateOf(const QString &text);

} // namespace cli
