#pragma once
// PNG pictures of 16 bits a channel (common for height maps), read row by row straight into
// 8 bits a channel: Qt's reader would first hold all their 16 bits, twice the memory.

#include <QImage>
#include <QString>
#include <string>

namespace platform {

// Whether path is a PNG file of 16 bits a channel.
bool isWidePng(const QString& path);

// A Grayscale8 image for grey pictures, RGB32 for colour ones (alpha is not read). Null, with
// error saying why, when the file cannot be read, has more than maxPixels pixels, or its pixels
// cannot be held.
QImage readWidePng(const QString& path, qint64 maxPixels, std::string& error);

}  // namespace platform
