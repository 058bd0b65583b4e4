#include "print/issuelist.h"

namespace print {

QStringList IssueList::lines() const
{
    QStringList lines;
    for (const IssueEntry &entry : m_entries)
        lines.append(entry.text);
    return lines;
}

} // namespace print
