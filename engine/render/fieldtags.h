#pragma once

#include "engine/render/labelrenderer.h"

#include <QString>
#include <QStringView>

namespace engine {

// A field text without its leading tags, and the look the tags give it.
struct LeadingTags
{
    FieldStyle style = FieldStyle::Plain;
    QString body;
};

// Every leading tag counts: how prepareField measures a field.
inline constexpr int kAllTags = 3;

// Strips the leading tags "<b>", "<w>" and "<d>" (either case), tested in that
// order, each once, against the start of what is left. markupLevel says which
// tags the field honours: bold from 1, wide from 2, date only at 3. A tag that
// is not honoured stays in the body as ordinary characters, and so hides any
// tag behind it. The last tag stripped decides the style.
LeadingTags stripLeadingTags(const QString &text, int markupLevel);

// One character of a field text: a surrogate pair is one character, as it is
// one character of code page 932 ("〓") once stored.
struct FieldChar
{
    qsizetype length = 1; // UTF-16 units
    int width = 1;        // label width units
};
FieldChar fieldCharAt(QStringView text, qsizetype pos);

} // namespace engine
