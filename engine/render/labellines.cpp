#include "engine/render/labellines.h"

#include "engine/render/fieldtags.h"

namespace engine {

LabelLine nextLabelLine(QStringView text, qsizetype start, int lineLimit)
{
    int width = 0;
    qsizetype pos = start;
    while (pos < text.size()) {
        const FieldChar c = fieldCharAt(text, pos);
        pos += c.length;
        width += c.width;
        if (width <= lineLimit)
            continue;
        if (width == lineLimit + 1 && pos < text.size()) {
            const FieldChar next = fieldCharAt(text, pos);
            if (next.width == 1)
                pos += next.length;
        }
        return {pos, true};
    }
    return {pos, false};
}

} // namespace engine
