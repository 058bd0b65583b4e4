#pragma once

#include <QByteArrayView>
#include <QList>

namespace store {

// A product file is handled as raw code page 932 lines: a line that an
// operation does not change is copied through byte for byte, and only the
// parts a reader shows are decoded. TAB, CR, LF, comma, "<" and the digits
// can never be the second byte of a double-byte character, so they can be
// searched for in the raw bytes.

// The lines of the file's content, without their line ends (CR LF, LF or a
// lone CR), as views into `content`.
QList<QByteArrayView> lineViews(QByteArrayView content);

// The bytes of the first `count` characters. A lead byte with a byte that can
// follow it is one character; any other byte is a character on its own, as
// the decoder reads it.
QByteArrayView leadingChars(QByteArrayView bytes, qsizetype count);

// The number of characters in the bytes, counted as `leadingChars` does.
qsizetype cp932Length(QByteArrayView bytes);

// The numeric value of a line's first four characters, where registration
// numbers sit, rounded to an integer.
int lineNumber(QByteArrayView line);

// A numeric value as a whole number, as registration numbers are compared.
int roundedNumber(double value);

} // namespace store
