#pragma once

#include <QString>

namespace store {

// The outcome of an operation that changes a file. On failure `message` is
// the text the user sees, in the program's own words (for example
// "商品情報の保存に失敗しました"), followed by a CR and the system's reason.
struct FileResult
{
    bool ok = true;
    QString message;

    static FileResult success() { return {}; }
    static FileResult failure(const QString &message) { return {false, message}; }
    explicit operator bool() const { return ok; }
};

} // namespace store
