#pragma once

#include "store/productfile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace screens {

// A record line as the keyword search lists it: the number, a colon and the
// product name as stored, caption and "<m>" memo included, with its commas.
QString searchEntry(QStringView recordLine);

// Whether the keyword occurs anywhere in the record line, number included,
// as its text reads (commas, not their stored escape). An empty keyword
// matches every line.
bool matchesKeyword(QStringView recordLine, QStringView keyword);

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
