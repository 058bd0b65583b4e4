#pragma once

#include <QList>
#include <QString>

namespace engine {

// The "<u>" and "</u>" tags of a label text. Each tag is a toggle point: the
// underline switches at the character whose running width reaches the point,
// so a lone "</u>" also toggles. The tags are then removed in one pass, as
// the printers' own label software did: a tag that a removal brings together
// stays in the text.
struct UnderlinePlan
{
    QString text;        // the text without the removed tags
    QList<int> toggles;  // running widths at which the underline switches
};

UnderlinePlan planUnderlines(QStringView text);

} // namespace engine
