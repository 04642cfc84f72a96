#include "document/DFileStamp.h"

#include <QDateTime>
#include <QFileInfo>

DFileStamp DFileStamp::Of(const QString& path)
{
    DFileStamp stamp;
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists_ = true;
    stamp.size_ = info.size();
    stamp.modified_ = info.lastModified().toMSecsSinceEpoch();
    return stamp;
}
