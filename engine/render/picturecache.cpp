#include "engine/render/picturecache.h"

#include <QFile>

#include <sys/stat.h>

namespace engine {

const QImage &PictureCache::picture(const QString &folder, const QString &name)
{
    if (name.isEmpty() || name.contains(u'/') || name == u"." || name == u"..")
        return m_none;
    const QString path = folder + u'/' + name;
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        m_entries.remove(path);
        return m_none;
    }
    const Identity identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
    auto found = m_entries.find(path);
    if (found == m_entries.end() || !(found->identity == identity))
        found = m_entries.insert(path, {identity, QImage(path)});
    return found->image;
}

} // namespace engine
