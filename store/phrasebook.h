#pragma once

#include "store/ensureresult.h"
#include "store/fileresult.h"
#include "store/filelock.h"

#include <QString>
#include <QStringView>

#include <array>
#include <chrono>
#include <optional>

namespace store {

// The stock phrases: one line per label field, its category title (the
// enlarged editor's title, e.g. "品名の登録") and five phrases, separated by
// commas.
inline constexpr QStringView kPhraseFileName = u"文字列情報.tsv";
inline constexpr QStringView kPhraseWorkFileName = u"文字列情報.tmp";
// Held by every change of the file, from reading it to renaming the work
// file; a change that cannot get it within `lockWait` writes nothing.
inline constexpr QStringView kPhraseLockFileName = u"文字列情報.lock";

inline constexpr int kPhraseCount = 5;
using Phrases = std::array<QString, kPhraseCount>;

// Writes the nine default categories when the phrase file is missing. An
// existing file is left as it is, even one that cannot be read.
EnsureResult createDefaultPhraseBook(const QString &workDir, std::chrono::milliseconds lockWait = kLockWait);

// The five phrases that follow the item equal to `title`, with "<kanma>"
// turned back into commas. Empty, with `error` set, when the file is missing
// or unreadable or holds no such category.
std::optional<Phrases> readPhrases(const QString &workDir, QStringView title, QString *error = nullptr);

// The same for the phrase registration screen: the category is the first
// item that begins with `title`.
std::optional<Phrases> readPhrasesForEditing(const QString &workDir, QStringView title,
                                             QString *error = nullptr);

// Stores the five phrases of a category, cleaned like product values. Its
// line is replaced (every line that begins with the title) or appended; all
// other lines are copied byte for byte.
FileResult writePhrases(const QString &workDir, QStringView title, const Phrases &phrases,
                        std::chrono::milliseconds lockWait = kLockWait);

} // namespace store
