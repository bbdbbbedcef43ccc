#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "platform/qt/qt_picture_loader.h"

namespace {

std::string scratch(const std::string& name) {
  static const QTemporaryDir folder;
  return folder.filePath(QString::fromStdString(name)).toStdString();
}

// A TGA file as painting programs write it: the 18-byte header, an identification text, an
// optional colour map of 24-bit entries, then the pixels.
std::string tga(int type, int bits, int descriptor, int width, int height, const std::vector<int>& pixels,
                const std::vector<int>& map = {}) {
  const int entries = static_cast<int>(map.size()) / 3;
  std::string file = {'\x04', static_cast<char>(map.empty() ? 0 : 1), static_cast<char>(type), 0, 0,
                      static_cast<char>(entries), 0, static_cast<char>(map.empty() ? 0 : 24), 0, 0, 0, 0,
                      static_cast<char>(width), static_cast<char>(width >> 8), static_cast<char>(height),
                      static_cast<char>(height >> 8), static_cast<char>(bits), static_cast<char>(descriptor)};
  file += "made";
  for (int byte : map) file += static_cast<char>(byte);
  for (int byte : pixels) file += static_cast<char>(byte);
  return file;
}

std::unique_ptr<platform::IPicture> loaded(const std::string& name, const std::string& bytes, std::string& error) {
  std::ofstream(scratch(name), std::ios::binary) << bytes;
  return platform::QtPictureLoader().load(scratch(name), error);
}

constexpr std::int32_t grey(int v) { return v * 0x010101; }

}  // namespace

// Grey height maps (types 3 and 11) and true-colour pictures (2 and 10), uncompressed and
// run-length encoded, rows from the bottom unless the header says otherwise; colour-mapped ones
// (1) through their map.
TEST(TgaReader, ReadsGreyColourAndMappedPicturesPlainAndRunLengthEncoded) {
  struct clsCase {
    const char* name;
    std::string file;
    std::vector<std::int32_t> expected;  // row by row from the top
  };
  const std::int32_t rgb = 3 + 256 * 2 + 65536 * 1, other = 6 + 256 * 5 + 65536 * 4;
  const std::vector<clsCase> cases = {
      {"grey.tga", tga(3, 8, 0, 2, 2, {10, 20, 30, 40}), {grey(30), grey(40), grey(10), grey(20)}},
      {"grey-top.tga", tga(3, 8, 0x20, 2, 2, {10, 20, 30, 40}), {grey(10), grey(20), grey(30), grey(40)}},
      {"grey-alpha.tga", tga(3, 16, 0x28, 2, 1, {10, 255, 20, 0}), {grey(10), grey(20)}},
      {"rgb.tga", tga(2, 24, 0x20, 2, 1, {1, 2, 3, 4, 5, 6}), {rgb, other}},
      {"rgba-right.tga", tga(2, 32, 0x38, 2, 1, {1, 2, 3, 255, 4, 5, 6, 0}), {other, rgb}},
      {"rgb16.tga", tga(2, 16, 0x20, 1, 1, {0x1f, 0x7c}), {0xff00ff}},  // 11111 00000 11111: red and blue
      {"grey-rle.tga", tga(11, 8, 0x20, 3, 1, {0x81, 50, 0x00, 60}), {grey(50), grey(50), grey(60)}},
      // A run may go on into the next row.
      {"rgb-rle.tga", tga(10, 24, 0, 2, 2, {0x82, 1, 2, 3, 0x00, 4, 5, 6}), {rgb, other, rgb, rgb}},
      {"mapped.tga", tga(1, 8, 0x20, 2, 1, {1, 0}, {1, 2, 3, 4, 5, 6}), {other, rgb}},
  };
  for (const clsCase& c : cases) {
    std::string error;
    const auto picture = loaded(c.name, c.file, error);
    ASSERT_NE(picture, nullptr) << c.name << ": " << error;
    const int width = picture->width();
    ASSERT_EQ(static_cast<std::size_t>(width * picture->height()), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(picture->colourAt(static_cast<int>(i) % width, static_cast<int>(i) / width), c.expected[i])
          << c.name << " pixel " << i;
  }
}

TEST(TgaReader, RefusesCutShortAndUnknownFilesAndSaysWhy) {
  std::string error;
  EXPECT_EQ(loaded("short.tga", tga(2, 24, 0, 4, 4, {1, 2, 3}), error), nullptr);
  EXPECT_NE(error.find("ends before its picture does"), std::string::npos) << error;
  EXPECT_EQ(loaded("short-rle.tga", tga(11, 8, 0, 4, 4, {0x83, 7}), error), nullptr);
  EXPECT_NE(error.find("ends before its picture does"), std::string::npos) << error;
  EXPECT_EQ(loaded("type7.tga", tga(7, 24, 0, 1, 1, {1, 2, 3}), error), nullptr);
  EXPECT_NE(error.find("is not a TGA picture this program reads (type 7, 24 bits a pixel)"), std::string::npos) << error;
  EXPECT_EQ(loaded("header.tga", "TGA", error), nullptr);
  EXPECT_NE(error.find("too short"), std::string::npos) << error;
}
