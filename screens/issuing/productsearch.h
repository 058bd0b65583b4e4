#pragma once

#include "store/productfile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace screens {

// A record line as the keyword search lists it: the number, a colon and the
// product name as stored, caption and "<m>" memo included, with its commas.
QString searchEntry(QStringView recordLine);

// Whether the keyword occurs anywhere in the record line, number included,
// as its text reads (commas, not their stored escape). An empty keyword
// matches every line.
bool matchesKeyword(QStringView recordLine, QStringView keyword);

// The bytes every product file line holding the keyword holds in a row, or
// nothing when some character of it is stored in more than one way. A
// search decodes only the lines that hold them: decoding the whole file is
// what it would otherwise spend its time on. Characters with one stored
// form: printable ASCII (0x5C reads as "¥"), half-width katakana, and JIS
// X 0208 (lead bytes 0x81 to 0x84, 0x88 to 0x9F, 0xE0 to 0xEA) but for the
// few symbols the NEC and IBM rows repeat and "〓", which a broken byte
// reads as too. A comma is stored as its escape, and a backslash as "¥": a
// keyword with either is never narrowed.
std::optional<QByteArray> bytesEveryMatchHolds(const QString &keyword);

struct SearchResult
{
    bool ok = true;
    QString message; // why the file could not be read
    QStringList entries;
};

// The entries of every product whose line holds the keyword, in file order.
// A missing product file holds no products.
SearchResult searchProducts(const store::ProductFile &products, const QString &keyword);

} // namespace screens
