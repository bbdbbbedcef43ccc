#include "platform/qt/qt_picture_loader.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/qt/qt_picture.h"

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
  // A 16-bit height map cut short, as a copy that stopped halfway leaves it.
  QImage wide(64, 64, QImage::Format_Grayscale16);
  wide.fill(QColor(90, 90, 90));
  ASSERT_TRUE(wide.save(QString::fromStdString(scratch("cut16.png"))));
  std::filesystem::resize_file(scratch("cut16.png"), 60);
  EXPECT_EQ(loader.load(scratch("cut16.png"), error), nullptr);
  EXPECT_NE(error.find("cut16.png cannot be read as a picture: "), std::string::npos) << error;
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

// Each picture is held in the one form its pixels are read from: one byte a pixel for grey ones,
// whatever their file holds (8 or 16 bits, grey or colours), four for pictures with colours.
TEST(QtPictureLoader, GreyPicturesAreHeldInOneByteAPixel) {
  struct clsCase {
    const char* name;
    QImage::Format format;
    QColor colour;
    platform::QtPicture::Form form;
  };
  const QColor height(100, 100, 100);
  const std::vector<clsCase> cases = {
      {"grey8.png", QImage::Format_Grayscale8, height, platform::QtPicture::Form::Grey},
      {"grey16.png", QImage::Format_Grayscale16, height, platform::QtPicture::Form::Grey},
      {"grey16.tif", QImage::Format_Grayscale16, height, platform::QtPicture::Form::Grey},
      {"grey-as-rgb.png", QImage::Format_RGB888, height, platform::QtPicture::Form::Grey},
      {"rgb16.png", QImage::Format_RGBX64, QColor(10, 20, 30), platform::QtPicture::Form::Colour},
      {"rgb16.tif", QImage::Format_RGBX64, QColor(10, 20, 30), platform::QtPicture::Form::Colour},
      {"rgb.png", QImage::Format_RGB888, QColor(10, 20, 30), platform::QtPicture::Form::Colour},
  };
  platform::QtPictureLoader loader;
  for (const clsCase& c : cases) {
    QImage image(32, 20, c.format);
    image.fill(c.colour);
    image.setPixelColor(31, 19, Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString(scratch(c.name)))) << c.name;
    std::string error;
    const auto picture = loader.load(scratch(c.name), error);
    ASSERT_NE(picture, nullptr) << c.name << ": " << error;
    const auto* held = dynamic_cast<const platform::QtPicture*>(picture.get());
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->form(), c.form) << c.name;
    EXPECT_EQ(held->heldBytes(), 32 * 20 * (c.form == platform::QtPicture::Form::Grey ? 1 : 4)) << c.name;
    EXPECT_EQ(picture->colourAt(3, 4), c.colour.red() + 256 * c.colour.green() + 65536 * c.colour.blue()) << c.name;
    EXPECT_EQ(picture->colourAt(31, 19), 0xffffff) << c.name;
  }
}

// Under a memory limit a picture is read whole when its held form fits (a grey one needs a
// quarter of what it would with colours, a 16-bit one no more than an 8-bit one), and is
// otherwise refused as too large: never taken for read with no pixels, which made a field as if
// there were no coverage picture.
TEST(QtPictureLoader, UnderAMemoryLimitPicturesAreReadWholeOrRefused) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than any such limit";
#endif
  QImage grey(6144, 6144, QImage::Format_Grayscale8);  // 36 MB held, 144 MB with colours
  grey.fill(QColor(200, 200, 200));
  ASSERT_TRUE(grey.save(QString::fromStdString(scratch("limit-grey.png"))));
  grey = QImage();
  QImage wide(6144, 6144, QImage::Format_Grayscale16);  // 36 MB held, 72 MB as 16 bits
  wide.fill(QColor(200, 200, 200));
  ASSERT_TRUE(wide.save(QString::fromStdString(scratch("limit-grey16.png"))));
  wide = QImage();
  QImage colour(4096, 4096, QImage::Format_RGB888);  // 64 MB held
  colour.fill(QColor(10, 200, 30));
  ASSERT_TRUE(colour.save(QString::fromStdString(scratch("limit-colour.png"))));
  colour = QImage();
  ASSERT_TRUE(QImage(2, 2, QImage::Format_RGB32).save(QString::fromStdString(scratch("warm.png"))));
  const auto readWithin = [](const std::string& path, long budgetMB) {
    platform::QtPictureLoader loader;
    std::string error;
    loader.load(scratch("warm.png"), error);  // the readers are set up before the limit is
    QFile statm("/proc/self/statm");
    const long pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ')[0].toLong() : 0;
    const rlim_t limit = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + budgetMB * 1048576);
    const rlimit bound{limit, limit};
    setrlimit(RLIMIT_AS, &bound);
    const auto picture = loader.load(path, error);
    if (!picture) {
      std::fprintf(stderr, "refused: %s\n", error.c_str());
      std::_Exit(1);
    }
    std::fprintf(stderr, "read %d x %d, %d\n", picture->width(), picture->height(), picture->colourAt(6143, 6143));
    std::_Exit(0);
  };
  EXPECT_EXIT(readWithin(scratch("limit-grey.png"), 56), testing::ExitedWithCode(0), "read 6144 x 6144, 13158600");
  EXPECT_EXIT(readWithin(scratch("limit-grey16.png"), 56), testing::ExitedWithCode(0), "read 6144 x 6144, 13158600");
  EXPECT_EXIT(readWithin(scratch("limit-colour.png"), 56), testing::ExitedWithCode(1),
              "refused: The picture is too large for the memory there is: 4096 x 4096 pixels");
}
