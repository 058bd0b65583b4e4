#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace store {

// Files of the older program version start with a "0000" line and keep the
// responsible party in four cells, the storage note in two and no ruled
// lines. They are rewritten once into the current format.

inline constexpr char16_t kConversionNotice[] =
    u"旧バージョン用の商品情報ファイルが検出されました。新バージョン用に更新して読み込みます。";

// True when the file's first line starts with "0000".
bool isOldVersionContent(QByteArrayView content);

// One old line in the current format (cells moved and captioned, ruled lines
// all off). A line starting with "0000" becomes the current header line.
// Code page 932 bytes in and out; text the rules do not touch is kept byte
// for byte.
QByteArray convertOldLine(QByteArrayView line);

// The whole file converted, every line ended by CR LF. A converted line of 14
// characters or fewer carried no product and is dropped.
QByteArray convertOldVersionContent(QByteArrayView content);

} // namespace store
