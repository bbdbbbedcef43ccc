#pragma once
// A whole creation run into a scratch folder with real files and real picture decoding; the
// rest of the platform is faked. For tests that read the files back.

#include <filesystem>
#include <initializer_list>
#include <string>

#include "fakes/fake_platform.h"
#include "document/creation_run.h"
#include "document/document.h"
#include "platform/native/std_file_system.h"
#include "platform/qt/qt_picture_loader.h"

namespace support {

class clsFieldRun {
 public:
  explicit clsFieldRun(const std::string& name);
  ~clsFieldRun();

  // Applies settings over the defaults as "Open settings..." does.
  bool apply(const std::string& settings);
  document::clsRunResult create(std::uint64_t seed, const std::string& baseName = "field");
  // Cancel, while create runs (from the events).
  void cancel() {
    if (creation_ != nullptr) creation_->cancelRequested = true;
  }
  std::string path(const std::string& fileName) const { return (folder / fileName).string(); }
  std::string read(const std::string& fileName) const;

  fakes::FakeMessages messages;
  fakes::FakeStatus status;
  fakes::FakeEvents events;
  fakes::FakeClipboard clipboard;
  fakes::FakeUserStore userStore;
  fakes::FakeClock clock;
  platform::StdFileSystem files;
  platform::QtPictureLoader pictures;
  platform::clsPlatform platform{messages, status, events, clipboard, userStore, clock, files, pictures};
  std::filesystem::path folder;
  document::clsDocument document{platform};

 private:
  generation::clsCreation* creation_ = nullptr;
};

// Usage lines that put only the given elements in use; with items, each element's coverage
// record: a 10 x 10 area of that many items.
std::string onlyElements(std::initializer_list<int> elements, int items = 0);

}  // namespace support
