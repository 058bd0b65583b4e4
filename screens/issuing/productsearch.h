#pragma once

#include "store/productfile.h"

#include <QByteArray>
#include <QList>
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

// Every run of bytes that reads as the keyword, one for each way its
// characters may be stored (a few symbols are stored in the NEC and the IBM
// rows alike, "¥" only as 0x5C), or nothing where the bytes cannot tell:
// "〓" is also what a broken byte reads as, and a keyword of too many twins
// has too many forms. A search looks for them in each line with its comma
// escapes undone, and decodes only the number and name of the lines that
// hold one: decoding the whole file is what it would otherwise spend its
// time on.
std::optional<QList<QByteArray>> storedForms(const QString &keyword);

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
