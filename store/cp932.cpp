#include "store/cp932.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace store {
namespace {

// One conversion direction; iconv descriptors carry shift state, so each call
// gets its own and closes it again.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter() { if (valid()) iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false at an input sequence the
    // target cannot take, with `in`/`inLeft` pointing at it.
    bool convert(char *&in, size_t &inLeft, QByteArray &out)
    {
        char buffer[4096];
        while (inLeft > 0) {
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            return false; // EILSEQ or EINVAL
        }
        return true;
    }

private:
    iconv_t m_cd = reinterpret_cast<iconv_t>(-1);
};

const QByteArray &getaBytes()
{
    static const QByteArray bytes("\x81\xAC", 2);
    return bytes;
}

int utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

} // namespace

bool isCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QList<QByteArray> everyCp932Code()
{
    QList<QByteArray> codes;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != 0x7F && !isCp932LeadByte(static_cast<unsigned char>(b)))
            codes.append(QByteArray(1, static_cast<char>(b)));
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; isCp932LeadByte(static_cast<unsigned char>(lead)) && trail <= 0xFC; ++trail) {
            if (trail != 0x7F)
                codes.append(QByteArray(1, static_cast<char>(lead)) + static_cast<char>(trail));
        }
    }
    return codes;
}

QByteArray toCp932(QStringView text)
{
    QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    Converter conv("CP932", "UTF-8");
    if (!conv.valid())
        qFatal("iconv has no CP932 converter");
    char *in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    while (!conv.convert(in, inLeft, out)) {
        out.append(getaBytes());
        const size_t skip = std::min<size_t>(inLeft, utf8SequenceLength(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
    }
    return out;
}

QString fromCp932(QByteArrayView bytes)
{
    // Decode line by line of valid stretches; an invalid byte becomes the geta
    // mark and decoding resumes right after it. A lead byte followed by a byte
    // that cannot trail it is invalid on its own, so the second byte (often CR
    // or LF) is decoded afresh.
    QByteArray copy(bytes.data(), bytes.size());
    QByteArray utf8;
    utf8.reserve(copy.size() * 3 / 2);
    Converter conv("UTF-8", "CP932");
    if (!conv.valid())
        qFatal("iconv has no CP932 converter");
    char *in = copy.data();
    size_t inLeft = static_cast<size_t>(copy.size());
    while (!conv.convert(in, inLeft, utf8)) {
        utf8.append("\xE3\x80\x93"); // 〓
        const auto b = static_cast<unsigned char>(*in);
        size_t skip = 1;
        if (isCp932LeadByte(b) && inLeft >= 2) {
            const auto t = static_cast<unsigned char>(in[1]);
            const bool validTrail = (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC);
            if (validTrail)
                skip = 2; // a well-formed pair the table lacks: one character
        }
        in += skip;
        inLeft -= skip;
    }
    QString result = QString::fromUtf8(utf8);
    result.replace(u'\\', QChar(0x00A5));
    return result;
}

QString cp932Normalized(QStringView text)
{
    return fromCp932(toCp932(text));
}

int cp932CharWidth(char32_t c)
{
    // The only characters code page 932 keeps in one byte: ASCII, half-width
    // katakana, and the yen sign and overline that share bytes with ASCII.
    if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) || c == 0x00A5 || c == 0x203E)
        return 1;
    return 2;
}

int cp932Width(QStringView text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += cp932CharWidth(c);
    return width;
}

} // namespace store
