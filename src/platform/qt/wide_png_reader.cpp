#include "platform/qt/wide_png_reader.h"

#include <png.h>

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/qt/qt_picture.h"

namespace platform {
namespace {

struct clsFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng's messages: the first error is kept for the user, warnings are not shown.
void onError(png_structp png, png_const_charp message) {
  auto* error = static_cast<std::string*>(png_get_error_ptr(png));
  if (error->empty()) *error = message;
  png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

}  // namespace

bool isWidePng(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(33);  // signature, then the IHDR chunk: size, name, width, height, depth
  return head.size() == 33 && png_sig_cmp(reinterpret_cast<png_const_bytep>(head.constData()), 0, 8) == 0 &&
         head.mid(12, 4) == "IHDR" && static_cast<unsigned char>(head[24]) == 16;
}

QImage readWidePng(const QString& path, qint64 maxPixels, std::string& error) {
  const std::string name = path.toStdString();
  const std::unique_ptr<std::FILE, clsFileCloser> file(std::fopen(QFile::encodeName(path).constData(), "rb"));
  if (!file) {
    error = "The file " + name + " cannot be opened.";
    return {};
  }
  std::string reason;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, onError, onWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    error = noMemoryError(0, 0);
    return {};
  }
  // Everything with a destructor is made before libpng may jump back here, and what is set
  // after it is volatile.
  QImage image;
  std::vector<png_bytep> rows;
  volatile bool tooMany = false;
  volatile png_uint_32 width = 0, height = 0;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file.get());
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info);
    tooMany = static_cast<qint64>(width) * height > maxPixels;
    if (!tooMany) {
      const bool grey = (type & PNG_COLOR_MASK_COLOR) == 0;
      png_set_scale_16(png);  // rounded, not cut
      png_set_strip_alpha(png);
      if (!grey) {
        png_set_bgr(png);  // QRgb in memory: blue, green, red, then the filler
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
      }
      png_set_interlace_handling(png);
      png_read_update_info(png, info);
      image = QImage(static_cast<int>(width), static_cast<int>(height),
                     grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
      if (!image.isNull()) {
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.scanLine(static_cast<int>(y));
        png_read_image(png, rows.data());
      }
    }
  } else {
    image = QImage();
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (tooMany) error = tooManyPixelsError(width, height, maxPixels);
  else if (!reason.empty()) error = "The file " + name + " cannot be read as a picture: " + reason;
  else if (image.isNull()) error = noMemoryError(width, height);
  else return image;
  return {};
}

}  // namespace platform
