#pragma once

#include <optional>

namespace platform {

// Ends the program: after a second copy was refused, a missing printer
// driver, a changed data location, or the menu closing.
class ProgramExit
{
public:
    virtual ~ProgramExit() = default;

    // Asks the program to end with `code`. The caller returns to the event
    // loop afterwards and does nothing more.
    virtual void exit(int code) = 0;
};

// Notes the request instead of ending anything. For tests.
class RecordingProgramExit final : public ProgramExit
{
public:
    void exit(int code) override
    {
        if (!m_code)
            m_code = code;
        ++m_calls;
    }

    bool requested() const { return m_code.has_value(); }
    int code() const { return m_code.value_or(0); }
    int calls() const { return m_calls; }

private:
    std::optional<int> m_code;
    int m_calls = 0;
};

} // namespace platform
