#include "platform/qt/qt_picture_loader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A folder per test process, removed as it ends: the tests run side by side and must not read
// each other's files.
std::string scratch(const std::string& name) {
  static const QTemporaryDir folder;
  return folder.filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace

TEST(QtPictureLoader, ReadsTheCommonFormatsAsColours) {
  platform::QtPictureLoader loader;
  std::string error;
  QImage two(2, 1, QImage::Format_RGB32);
  two.setPixel(0, 0, qRgb(255, 0, 0));
  two.setPixel(1, 0, qRgb(0, 0, 255));
  for (const char* name : {"two.png", "two.bmp"}) {
    ASSERT_TRUE(two.save(QString::fromStdString(scratch(name))));
    const auto picture = loader.load(scratch(name), error);
    ASSERT_NE(picture, nullptr) << error;
    EXPECT_EQ(picture->width(), 2);
    EXPECT_EQ(picture->height(), 1);
    EXPECT_EQ(picture->colourAt(0, 0), 255);            // red in the low byte
    EXPECT_EQ(picture->colourAt(1, 0), 255 * 65536);    // blue in the third
    EXPECT_EQ(picture->colourAt(2, 0), -1);             // outside
  }
  QImage grey(8, 8, QImage::Format_RGB32);
  grey.fill(qRgb(128, 128, 128));
  ASSERT_TRUE(grey.save(QString::fromStdString(scratch("grey.jpg"))));
  const auto jpeg = loader.load(scratch("grey.jpg"), error);
  ASSERT_NE(jpeg, nullptr) << error;
  EXPECT_NEAR(jpeg->colourAt(3, 3) % 256, 128, 3);

  // A one-pixel white GIF, as other programs write it.
  const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0xff, 0xff, 0, 0, 0,
                               '!', 0xf9, 4, 1, 0, 0, 0, 0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
  std::ofstream(scratch("white.gif"), std::ios::binary).write(reinterpret_cast<const char*>(gif), sizeof gif);
  const auto white = loader.load(scratch("white.gif"), error);
  ASSERT_NE(white, nullptr) << error;
  EXPECT_EQ(white->colourAt(0, 0), 16777215);
}

TEST(QtPictureLoader, RefusesWhatItCannotRead) {
  platform::QtPictureLoader loader;
  std::string error;
  EXPECT_EQ(loader.load(scratch("absent.png"), error), nullptr);
  EXPECT_NE(error.find("absent.png"), std::string::npos);
  std::ofstream(scratch("text.png")) << "not a picture";
  EXPECT_EQ(loader.load(scratch("text.png"), error), nullptr);
  std::ofstream(scratch("drawing.emf"), std::ios::binary) << std::string("\x01\x00\x00\x00\x6c\x00\x00\x00", 8);
  EXPECT_EQ(loader.load(scratch("drawing.emf"), error), nullptr);
  EXPECT_EQ(loader.load(std::filesystem::temp_directory_path().string(), error), nullptr);  // a folder
}

// Height maps far above Qt's own 128 MB limit load; one above ours says it is too large rather
// than that its format is unknown; TIFF height maps are among the formats read.
TEST(QtPictureLoader, LargeHeightMapsLoadAndTooLargeOnesSaySo) {
  platform::QtPictureLoader loader;
  std::string error;
  QImage big(8192, 8192, QImage::Format_RGB888);  // read as 256 MB of 32-bit pixels
  big.fill(QColor(200, 200, 200));
  ASSERT_TRUE(big.save(QString::fromStdString(scratch("big.png"))));
  big = QImage();
  const auto picture = loader.load(scratch("big.png"), error);
  ASSERT_NE(picture, nullptr) << error;
  EXPECT_EQ(picture->colourAt(8191, 8191), 200 + 256 * 200 + 65536 * 200);

  // A picture header of 20000 x 20000 pixels: too large, told so from the header alone.
  std::ofstream(scratch("huge.ppm"), std::ios::binary) << "P6\n20000 20000\n255\n";
  EXPECT_EQ(loader.load(scratch("huge.ppm"), error), nullptr);
  EXPECT_TRUE(error.starts_with(platform::kPictureTooLarge)) << error;

  const std::vector<std::string> endings = loader.extensions();
  for (const char* ending : {"png", "jpg", "bmp", "tif", "tga", "webp"})
    EXPECT_NE(std::find(endings.begin(), endings.end(), ending), endings.end()) << ending;
}
