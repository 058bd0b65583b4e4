#pragma once

#include <QImage>
#include <QString>

namespace engine {

// The recycling-mark pictures the program brings with it: "pura.bmp" (the
// plastic mark) and "kami.bmp" (the paper mark), black on white, drawn for a
// 305-dpi head at the largest size a label prints them (390 x 350 twips).
QImage drawPlasticMark();
QImage drawPaperMark();

// Writes the two pictures into the working folder when they are not there. A
// user's own pictures are never replaced; a picture that cannot be written is
// simply missing, and labels are drawn without it.
void ensureMarkPictures(const QString &workDir);

} // namespace engine
