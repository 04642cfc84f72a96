#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// The one way an input file is opened: a path that is not a regular file
// is refused before it is opened (a FIFO would block the open forever, a
// device would be read without end), and every refusal is the file error
// naming the file and the system's reason.
class DFileReader
{
public:
    // Opens path for reading into file, which must be closed.
    static void Open(QFile& file, const QString& path);
    // The whole content of the file at path, opened as above; a read that
    // fails part way is the file error too, never a shorter content.
    static QByteArray ReadAll(const QString& path);
};
