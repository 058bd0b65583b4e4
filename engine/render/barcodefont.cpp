#include "engine/render/barcodefont.h"

#include <QFontDatabase>
#include <QStringList>

namespace engine {

bool barcodeFontInstalled(const QString &family)
{
    return !family.isEmpty() && QFontDatabase::families().contains(family, Qt::CaseSensitive);
}

} // namespace engine
