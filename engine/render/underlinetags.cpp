#include "engine/render/underlinetags.h"

#include "store/cp932.h"

namespace engine {

UnderlinePlan planUnderlines(QStringView text)
{
    UnderlinePlan plan;
    int p = 1;
    QString window = QStringLiteral("    ");
    for (const QChar c : text) {
        p += store::cp932CharWidth(c.unicode());
        window = window.right(3) + c;
        if (window.endsWith(u"<u>")) {
            p -= 3;
            plan.toggles.append(p);
        } else if (window == u"</u>") {
            p -= 4;
            plan.toggles.append(p);
        }
    }

    plan.text = text.toString();
    if (plan.toggles.isEmpty())
        return plan;
    const qsizetype length = plan.text.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (QStringView(plan.text).mid(i, 3) == u"<u>")
            plan.text.remove(i, 3);
        if (QStringView(plan.text).mid(i, 4) == u"</u>")
            plan.text.remove(i, 4);
    }
    return plan;
}

} // namespace engine
