#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace store {

// Our files are code page 932 text, as the labels and the printers know it.
// A character the code page cannot hold becomes "〓" on the way in, never "?":
// a question mark in the ingredients would split the label in two.
inline constexpr char16_t kGeta = u'〓';

QByteArray toCp932(QStringView text);

// Bytes that are not valid code page 932 become "〓"; a broken lead byte never
// swallows the byte after it, so a line end always survives.
// 0x5C reads as "¥": Japanese printers and fonts show that byte as the yen sign.
QString fromCp932(QByteArrayView bytes);

// What the text will be once stored: every character the code page cannot
// hold replaced. For everything typed, pasted or read into the program.
QString cp932Normalized(QStringView text);

// The width unit of the labels: 1 for a half-width, 2 for a full-width character,
// the byte length the text takes in code page 932 once stored ("〓" for a
// character the code page lacks is full-width).
int cp932Width(QStringView text);
int cp932CharWidth(char32_t c);

// Whether the byte begins a two-byte character.
bool isCp932LeadByte(unsigned char b);

// Every one- and two-byte code of the code page that is no control
// character, in byte order, whether or not it names a character.
QList<QByteArray> everyCp932Code();

} // namespace store
