#include "model/DFileKalCir.h"

#include <limits>

qint64 DFileKalCir::MaxFileSize()
{
    return std::numeric_limits<qint64>::max();
}
