#pragma once
// Truevision TGA pictures, which Qt's reader mostly refuses: grey (common for height maps),
// true colour and colour-mapped, each uncompressed or run-length encoded.

#include <QImage>
#include <QString>
#include <string>

namespace platform {

// A Grayscale8 image for grey pictures, Indexed8 for colour-mapped ones, RGB32 for the rest.
// Null, with error saying why, when the file is not a TGA picture this reads, is cut short, has
// more than maxPixels pixels, or its pixels cannot be held.
QImage readTga(const QString& path, qint64 maxPixels, std::string& error);

}  // namespace platform
