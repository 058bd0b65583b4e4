#pragma once

#include "platform/programexit.h"

#include <QCoreApplication>

#include <optional>

namespace app {

// Ends the event loop with the code. A request made before the loop runs
// (a second copy refused at start) is kept for main() to return.
class QtProgramExit final : public platform::ProgramExit
{
public:
    void exit(int code) override
    {
        if (!m_code)
            m_code = code;
        QCoreApplication::exit(*m_code);
    }

    std::optional<int> requested() const { return m_code; }

private:
    std::optional<int> m_code;
};

} // namespace app
