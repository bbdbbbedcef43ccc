#include "platform/qt/tga_reader.h"

#include <QFile>
#include <array>
#include <vector>

#include "platform/qt/qt_picture.h"

namespace platform {
namespace {

// The file read in large pieces: a picture of a gigabyte is read byte by byte.
class BufferedFile {
 public:
  explicit BufferedFile(QFile& file) : file_(file), buffer_(1 << 20) {}
  bool read(uchar* to, int count) {
    for (int i = 0; i < count; ++i) {
      if (at_ == size_) {
        size_ = file_.read(buffer_.data(), static_cast<qint64>(buffer_.size()));
        at_ = 0;
        if (size_ <= 0) return false;
      }
      to[i] = static_cast<uchar>(buffer_[static_cast<std::size_t>(at_++)]);
    }
    return true;
  }
  bool skip(int count) {
    std::array<uchar, 256> ignored{};
    for (; count > 0; count -= 256)
      if (!read(ignored.data(), std::min(count, 256))) return false;
    return true;
  }

 private:
  QFile& file_;
  std::vector<char> buffer_;
  qint64 at_ = 0;
  qint64 size_ = 0;
};

int little16(const uchar* at) { return at[0] | (at[1] << 8); }

// Five bits of a 15- or 16-bit pixel, widened to eight.
int widened(int five) { return (five << 3) | (five >> 2); }

QRgb colourOf(const uchar* pixel, int bits) {
  if (bits <= 16) {
    const int v = little16(pixel);
    return qRgb(widened((v >> 10) & 31), widened((v >> 5) & 31), widened(v & 31));
  }
  return qRgb(pixel[2], pixel[1], pixel[0]);  // blue, green, red (and alpha, not read)
}

enum class Kind { Mapped, Colour, Grey };

}  // namespace

QImage readTga(const QString& path, qint64 maxPixels, std::string& error) {
  const std::string name = path.toStdString();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = "The file " + name + " cannot be opened: " + file.errorString().toStdString();
    return {};
  }
  BufferedFile bytes(file);
  std::array<uchar, 18> header{};
  if (!bytes.read(header.data(), 18)) {
    error = "The file " + name + " is too short for a TGA picture.";
    return {};
  }
  const int type = header[2], bits = header[16], descriptor = header[17];
  const int mapFirst = little16(&header[3]), mapLength = little16(&header[5]), mapBits = header[7];
  const int width = little16(&header[12]), height = little16(&header[14]);
  const bool rle = type >= 9;
  const Kind kind = type % 8 == 1 ? Kind::Mapped : type % 8 == 2 ? Kind::Colour : Kind::Grey;
  const bool known = (type % 8 >= 1 && type % 8 <= 3 && type / 8 <= 1) &&
                     (kind != Kind::Mapped || (bits == 8 && header[1] == 1 && mapFirst + mapLength <= 256 &&
                                               (mapBits == 15 || mapBits == 16 || mapBits == 24 || mapBits == 32))) &&
                     (kind != Kind::Colour || bits == 15 || bits == 16 || bits == 24 || bits == 32) &&
                     (kind != Kind::Grey || bits == 8 || bits == 16) && width > 0 && height > 0;
  if (!known) {
    error = "The file " + name + " is not a TGA picture this program reads (type " + std::to_string(type) + ", " +
            std::to_string(bits) + " bits a pixel).";
    return {};
  }
  if (static_cast<qint64>(width) * height > maxPixels) {
    error = tooManyPixelsError(width, height, maxPixels);
    return {};
  }
  const int mapEntryBytes = (mapBits + 7) / 8;
  std::array<QRgb, 256> map{};
  bool whole = bytes.skip(header[0]);
  for (int i = 0; whole && header[1] == 1 && i < mapLength; ++i) {
    std::array<uchar, 4> entry{};
    whole = bytes.read(entry.data(), mapEntryBytes);
    if (kind == Kind::Mapped) map[static_cast<std::size_t>(mapFirst + i)] = colourOf(entry.data(), mapBits);
  }
  QImage image(width, height,
               kind == Kind::Mapped ? QImage::Format_Indexed8
               : kind == Kind::Grey ? QImage::Format_Grayscale8
                                    : QImage::Format_RGB32);
  if (image.isNull()) {
    error = noMemoryError(width, height);
    return {};
  }
  if (kind == Kind::Mapped) image.setColorTable(QList<QRgb>(map.begin(), map.end()));

  // Rows run from the bottom up unless bit 5 says otherwise, pixels from the left unless bit 4 does.
  const bool topDown = (descriptor & 0x20) != 0, rightToLeft = (descriptor & 0x10) != 0;
  const int pixelBytes = (bits + 7) / 8;
  uchar* bitsOut = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const auto put = [&](qint64 index, const uchar* pixel) {
    const qint64 row = index / width, column = index % width;
    const qint64 y = topDown ? row : height - 1 - row, x = rightToLeft ? width - 1 - column : column;
    uchar* line = bitsOut + y * stride;
    if (kind == Kind::Colour) reinterpret_cast<QRgb*>(line)[x] = colourOf(pixel, bits);
    else line[x] = pixel[0];  // an index, or the grey (before any alpha byte)
  };
  const qint64 total = static_cast<qint64>(width) * height;
  std::array<uchar, 4> pixel{};
  for (qint64 index = 0; whole && index < total;) {
    uchar packet = 0;
    if (rle && !bytes.read(&packet, 1)) {
      whole = false;
      break;
    }
    // A run packet repeats one pixel; a raw one (or an uncompressed picture) gives each.
    const qint64 count = rle ? std::min<qint64>((packet & 0x7f) + 1, total - index) : 1;
    const bool run = rle && (packet & 0x80) != 0;
    for (qint64 i = 0; i < count; ++i, ++index) {
      if ((i == 0 || !run) && !bytes.read(pixel.data(), pixelBytes)) {
        whole = false;
        break;
      }
      put(index, pixel.data());
    }
  }
  if (!whole) {
    error = "The file " + name + " ends before its picture does.";
    return {};
  }
  return image;
}

}  // namespace platform
