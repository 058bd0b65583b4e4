#pragma once

#include <QString>

namespace store {

// What making sure that a small data file exists did to it.
enum class EnsureOutcome {
    Unchanged, // there and complete: nothing written
    Created,   // was missing: written with its defaults
    Completed, // was short: rewritten with the missing lines added
    Failed,    // could not be read or written: nothing replaced
};

struct EnsureResult
{
    EnsureOutcome outcome = EnsureOutcome::Unchanged;
    QString message; // what to show the user; empty when there is nothing to say

    bool failed() const { return outcome == EnsureOutcome::Failed; }
};

} // namespace store
