#pragma once
// A decoded picture kept in the one form its pixels are read from: one byte a pixel when it is
// grey (or has a palette of up to 256 colours), four bytes when it has colours; the decoder's
// own image is held, never a second copy of it.

#include <QImage>
#include <array>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

class QtPicture final : public IPicture {
 public:
  enum class Form { Grey, Palette, Colour };

  // image is Grayscale8, Indexed8, RGB32 or ARGB32 (see holdPicture for the others).
  explicit QtPicture(QImage image);
  // Pixels narrowed in place within owner's memory: Grey or Colour, stride bytes a row.
  QtPicture(QImage owner, Form form, int width, int height, qsizetype stride);

  int width() const override { return width_; }
  int height() const override { return height_; }
  std::int32_t colourAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    const uchar* line = bits_ + static_cast<qsizetype>(y) * stride_;
    switch (form_) {
      case Form::Grey: return line[x] * 0x010101;
      case Form::Palette: return palette_[line[x]];
      case Form::Colour: break;
    }
    const QRgb c = reinterpret_cast<const QRgb*>(line)[x];
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
  }
  Form form() const { return form_; }
  // The bytes that hold the pixels.
  qsizetype heldBytes() const { return stride_ * height_; }

 private:
  QImage owner_;
  const uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  int width_ = 0;
  int height_ = 0;
  Form form_ = Form::Colour;
  std::array<std::int32_t, 256> palette_{};
};

// The picture a decoder gave, turned into its held form: images of other formats are converted,
// 16-bit ones narrowed in place, and colour ones whose every pixel is grey narrowed to one byte
// a pixel. Null, with error saying so, when the memory for a step is not there.
std::unique_ptr<QtPicture> holdPicture(QImage image, std::string& error);

// The errors for a picture of width x height pixels with more pixels than the program reads,
// and for one whose pixels the memory cannot hold; both begin with kPictureTooLarge.
std::string tooManyPixelsError(qint64 width, qint64 height, qint64 maxPixels);
std::string noMemoryError(qint64 width, qint64 height);

}  // namespace platform
