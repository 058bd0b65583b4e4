#pragma once

#include "engine/render/labeljob.h"

#include <QList>
#include <QString>

namespace print {

// One reserved label of the issue list: the job as it was filled when the
// entry was registered, base date included.
struct IssueEntry
{
    engine::LabelJob job;
    QString text; // its line in the list box: "0001 品名 3枚"
};

// The issuing screen's list of reserved labels, in the order they print.
// It lives as long as the screen and is never written to a file.
class IssueList
{
public:
    void append(IssueEntry entry) { m_entries.append(std::move(entry)); }
    // Nothing happens for an index outside the list (nothing selected).
    void remove(qsizetype index)
    {
        if (index >= 0 && index < m_entries.size())
            m_entries.removeAt(index);
    }
    void clear() { m_entries.clear(); }

    const QList<IssueEntry> &entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const IssueEntry &at(qsizetype index) const { return m_entries.at(index); }

    // The lines of the list box, in order.
    QStringList lines() const;

private:
    QList<IssueEntry> m_entries;
};

} // namespace print
