#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <sys/types.h>

namespace engine {

// The label pictures of a working folder (a format's or a product's
// background, the recycling marks), each read once and then handed out as
// the same image label after label: decoding it again for every copy costs
// more than the rest of the label, and a PDF keeps one image only once. A
// file changed since it was read, as when the registration screen registers
// a new label picture, is read again.
class PictureCache
{
public:
    // The picture `name` ("pura.bmp", "0001.bmp") of `folder`, or a null
    // image when there is none or it cannot be read. A name is a file of
    // the folder itself: a product number of a hand-edited file that says
    // "../x" or ":x" names no picture.
    const QImage &picture(const QString &folder, const QString &name);

private:
    // What tells one version of a file from the next.
    struct Identity
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        time_t seconds = 0;
        long nanoseconds = 0;

        bool operator==(const Identity &) const = default;
    };
    struct Entry
    {
        Identity identity;
        QImage image;
    };

    QHash<QString, Entry> m_entries;
    QImage m_none;
};

} // namespace engine
