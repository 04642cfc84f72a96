#pragma once

#include "analyses/DGraphPainting.h"

#include <QByteArray>
#include <QString>

// The bytes of an analysis' picture file: PNG, or SVG and PDF drawn by the
// same painter as vectors (real shapes and searchable text, no bitmap
// inside). Built in memory; DFileWriter writes them.
class DPictureFile
{
public:
    enum class Format
    {
        Png,
        Svg,
        Pdf
    };

    // By the name's extension, in any case: .svg and .pdf name their
    // formats, every other name a PNG.
    static Format FormatOf(const QString& path);

    // The painting on a surface of its size, at 96 dpi; a PDF has one page of
    // exactly that size. title names the picture in the file's properties.
    // Raises EError.
    static QByteArray Bytes(Format format, const DGraphPainting& painting, const QString& title = {});
};
