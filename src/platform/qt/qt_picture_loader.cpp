#include "platform/qt/qt_picture_loader.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/qt/qt_picture.h"
#include "platform/qt/tga_reader.h"
#include "platform/qt/wide_png_reader.h"

namespace platform {
namespace {

bool isTga(const QString& name) { return name.endsWith(".tga", Qt::CaseInsensitive); }

// Whether the memory for bytes is there now: tells a picture too large for it from a broken file.
bool memoryFor(qint64 bytes) {
  void* block = std::malloc(static_cast<std::size_t>(bytes));
  std::free(block);
  return block != nullptr;
}

// Qt's decoders: every step's result is checked, a picture that cannot be held is not read.
QImage readWithQt(const QString& name, const std::string& path, std::string& error) {
  QImageReader::setAllocationLimit(QtPictureLoader::kAllocationLimitMB);
  QImageReader reader(name);
  reader.setAutoTransform(true);
  // Some readers know the size before reading, others once they have failed.
  const auto tooMany = [&](QSize size) {
    if (!size.isValid() || static_cast<qint64>(size.width()) * size.height() <= QtPictureLoader::kMaxPixels) return false;
    error = tooManyPixelsError(size.width(), size.height(), QtPictureLoader::kMaxPixels);
    return true;
  };
  QSize size = reader.size();
  if (tooMany(size)) return {};
  const QImage::Format format = reader.imageFormat();
  QImage image;
  if (reader.read(&image) && !image.isNull()) return image;
  if (!size.isValid()) size = reader.size();
  if (tooMany(size)) return {};
  const int depth = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
  if (size.isValid() && !memoryFor(static_cast<qint64>(size.width()) * size.height() * depth / 8)) {
    error = noMemoryError(size.width(), size.height());
    return {};
  }
  error = "The file " + path + " cannot be read as a picture: " + reader.errorString().toStdString();
  return {};
}

}  // namespace

std::unique_ptr<IPicture> QtPictureLoader::load(const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  if (!QFileInfo(name).isFile()) {
    error = "The file " + path + " does not exist.";
    return nullptr;
  }
  // Containers of the readers may throw when memory runs out; it ends here as an unread picture.
  try {
    QImage image = isTga(name)       ? readTga(name, kMaxPixels, error)
                   : isWidePng(name) ? readWidePng(name, kMaxPixels, error)
                                     : readWithQt(name, path, error);
    if (image.isNull()) return nullptr;
    return holdPicture(std::move(image), error);
  } catch (const std::bad_alloc&) {
    error = std::string(kPictureTooLarge) + " for the memory there is.";
    return nullptr;
  }
}

std::vector<std::string> QtPictureLoader::extensions() const {
  std::vector<std::string> endings;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) endings.push_back(format.toLower().toStdString());
  if (std::find(endings.begin(), endings.end(), "tga") == endings.end()) endings.emplace_back("tga");
  return endings;
}

}  // namespace platform
