#include "store/recordline.h"

#include "store/cp932.h"
#include "store/numericvalue.h"
#include "store/textfile.h"

#include <QString>

#include <cmath>

namespace store {
namespace {

bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Steps over one character starting at `i`.
qsizetype nextChar(QByteArrayView bytes, qsizetype i)
{
    if (i + 1 < bytes.size() && isCp932LeadByte(static_cast<unsigned char>(bytes[i]))
        && isTrailByte(static_cast<unsigned char>(bytes[i + 1])))
        return i + 2;
    return i + 1;
}

} // namespace

QList<QByteArrayView> lineViews(QByteArrayView content)
{
    QList<QByteArrayView> lines;
    lines.reserve(content.size() / 64 + 1);
    qsizetype start = 0;
    const qsizetype size = content.size();
    const char *data = content.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.sliced(start, i - start));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(content.sliced(start));
    return lines;
}

QByteArrayView leadingChars(QByteArrayView bytes, qsizetype count)
{
    qsizetype i = 0;
    for (qsizetype n = 0; n < count && i < bytes.size(); ++n)
        i = nextChar(bytes, i);
    return bytes.first(i);
}

qsizetype cp932Length(QByteArrayView bytes)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < bytes.size(); i = nextChar(bytes, i))
        ++count;
    return count;
}

int lineNumber(QByteArrayView line)
{
    const QByteArrayView head = leadingChars(skipLeadingBlanks(line), 4);
    // Digits are plain bytes; only a head with other characters needs decoding.
    bool plain = true;
    for (const char c : head)
        plain = plain && static_cast<unsigned char>(c) < 0x80;
    const QString text = plain ? QString::fromLatin1(head) : fromCp932(head);
    return roundedNumber(numericValue(text));
}

int roundedNumber(double value)
{
    if (!(std::abs(value) < 1e9))
        return 0;
    return static_cast<int>(std::nearbyint(value));
}

} // namespace store
