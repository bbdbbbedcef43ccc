#include "platform/qt/qt_picture_loader.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "platform/raster_picture.h"

namespace platform {

std::unique_ptr<IPicture> QtPictureLoader::load(const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  if (!QFileInfo(name).isFile()) {
    error = "The file " + path + " does not exist.";
    return nullptr;
  }
  QImageReader::setAllocationLimit(kAllocationLimitMB);
  QImageReader reader(name);
  reader.setAutoTransform(true);
  // Four bytes a pixel as read, and four again as the picture keeps them. Some readers know the
  // size before reading, others once they have failed.
  const auto tooLarge = [&](QSize size) {
    if (!size.isValid() || static_cast<double>(size.width()) * size.height() * 4 <= kAllocationLimitMB * 1048576.0)
      return false;
    error = std::string(kPictureTooLarge) + ": " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
            " pixels; pictures of up to " + std::to_string(kAllocationLimitMB / 4) + " million pixels are read.";
    return true;
  };
  if (tooLarge(reader.size())) return nullptr;
  QImage image = reader.read();
  if (image.isNull()) {
    if (tooLarge(reader.size())) return nullptr;
    error = "The file " + path + " cannot be read as a picture: " + reader.errorString().toStdString();
    return nullptr;
  }
  image.convertTo(QImage::Format_RGB32);
  const QImage& rgb = image;
  std::vector<std::int32_t> colours(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
  std::size_t at = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x, ++at)
      colours[at] = qRed(line[x]) + 256 * qGreen(line[x]) + 65536 * qBlue(line[x]);
  }
  return std::make_unique<RasterPicture>(rgb.width(), rgb.height(), std::move(colours));
}

std::vector<std::string> QtPictureLoader::extensions() const {
  std::vector<std::string> endings;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) endings.push_back(format.toLower().toStdString());
  return endings;
}

}  // namespace platform
