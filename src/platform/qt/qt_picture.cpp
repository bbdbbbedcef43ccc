#include "platform/qt/qt_picture.h"

#include <QColor>
#include <QRgba64>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

std::int32_t colourOf(QRgb c) { return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c); }

// The memory past a picture narrowed in place goes back to the system; its pages are never read
// again.
void releaseTail(const uchar* begin, qsizetype used, qsizetype total) {
#ifdef __linux__
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(begin);
  const std::uintptr_t from = (start + static_cast<std::uintptr_t>(used) + page - 1) / page * page;
  const std::uintptr_t to = (start + static_cast<std::uintptr_t>(total)) / page * page;
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
#else
  (void)begin, (void)used, (void)total;
#endif
}

std::uint32_t eightBits(std::uint32_t sixteen) { return (sixteen * 255 + 32767) / 65535; }

// Pixels being narrowed within the memory of the image that holds them.
struct clsPixels {
  QImage& owner;
  int width;
  int height;
  qsizetype stride;
};

// Each row is written at or before the place it is read from, so one pass narrows the pixels in
// the same memory; narrow(from, to, x) reads pixel x of a source row and writes it.
template <class Narrow>
void narrowRows(clsPixels& pixels, qsizetype newStride, Narrow narrow) {
  uchar* bits = pixels.owner.bits();
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) narrow(bits + y * pixels.stride, bits + y * newStride, x);
  pixels.stride = newStride;
  releaseTail(bits, newStride * pixels.height, pixels.owner.sizeInBytes());
}

bool everyPixelGrey(const clsPixels& pixels) {
  for (int y = 0; y < pixels.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(pixels.owner.constBits() + y * pixels.stride);
    for (int x = 0; x < pixels.width; ++x)
      if (qRed(line[x]) != qGreen(line[x]) || qGreen(line[x]) != qBlue(line[x])) return false;
  }
  return true;
}

}  // namespace

QtPicture::QtPicture(QImage image)
    : owner_(std::move(image)), bits_(owner_.constBits()), stride_(owner_.bytesPerLine()), width_(owner_.width()),
      height_(owner_.height()) {
  switch (owner_.format()) {
    case QImage::Format_Grayscale8: form_ = Form::Grey; break;
    case QImage::Format_Indexed8: {
      form_ = Form::Palette;
      const QList<QRgb> table = owner_.colorTable();
      for (qsizetype i = 0; i < table.size() && i < 256; ++i) palette_[static_cast<std::size_t>(i)] = colourOf(table[i]);
      break;
    }
    default: form_ = Form::Colour; break;
  }
}

QtPicture::QtPicture(QImage owner, Form form, int width, int height, qsizetype stride)
    : owner_(std::move(owner)), bits_(owner_.constBits()), stride_(stride), width_(width), height_(height),
      form_(form) {}

std::string tooManyPixelsError(qint64 width, qint64 height, qint64 maxPixels) {
  return std::string(kPictureTooLarge) + ": " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; pictures of up to " + std::to_string(maxPixels) + " pixels are read.";
}

std::string noMemoryError(qint64 width, qint64 height) {
  return std::string(kPictureTooLarge) + " for the memory there is: " + std::to_string(width) + " x " +
         std::to_string(height) + " pixels cannot be held.";
}

std::unique_ptr<QtPicture> holdPicture(QImage image, std::string& error) {
  const int width = image.width(), height = image.height();
  clsPixels pixels{image, width, height, image.bytesPerLine()};
  switch (image.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Indexed8: return std::make_unique<QtPicture>(std::move(image));
    case QImage::Format_Grayscale16:
      narrowRows(pixels, width, [](const uchar* from, uchar* to, int x) {
        to[x] = static_cast<uchar>(eightBits(reinterpret_cast<const quint16*>(from)[x]));
      });
      return std::make_unique<QtPicture>(std::move(image), QtPicture::Form::Grey, width, height, width);
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied: {
      const bool premultiplied = image.format() == QImage::Format_RGBA64_Premultiplied;
      narrowRows(pixels, qsizetype{4} * width, [premultiplied](const uchar* from, uchar* to, int x) {
        QRgba64 c = reinterpret_cast<const QRgba64*>(from)[x];
        if (premultiplied) c = c.unpremultiplied();
        reinterpret_cast<QRgb*>(to)[x] = qRgb(static_cast<int>(eightBits(c.red())),
                                              static_cast<int>(eightBits(c.green())), static_cast<int>(eightBits(c.blue())));
      });
      break;
    }
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32: break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      image.convertTo(QImage::Format_Indexed8);
      if (image.isNull() || image.format() != QImage::Format_Indexed8) {
        error = noMemoryError(width, height);
        return nullptr;
      }
      return std::make_unique<QtPicture>(std::move(image));
    default:
      image.convertTo(QImage::Format_RGB32);
      if (image.isNull() || image.format() != QImage::Format_RGB32) {
        error = noMemoryError(width, height);
        return nullptr;
      }
      pixels.stride = image.bytesPerLine();
      break;
  }
  // Grey pictures saved with colours (common for height maps) need one byte a pixel.
  if (everyPixelGrey(pixels)) {
    narrowRows(pixels, width, [](const uchar* from, uchar* to, int x) {
      to[x] = static_cast<uchar>(qRed(reinterpret_cast<const QRgb*>(from)[x]));
    });
    return std::make_unique<QtPicture>(std::move(image), QtPicture::Form::Grey, width, height, width);
  }
  return std::make_unique<QtPicture>(std::move(image), QtPicture::Form::Colour, width, height, pixels.stride);
}

}  // namespace platform
