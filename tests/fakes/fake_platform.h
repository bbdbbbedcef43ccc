#pragma once
// Fakes of every platform interface, for running the core without a window or real files.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fakes {

class FakeMessages final : public platform::IMessageBox {
 public:
  void showMessage(const std::string& text) override { shown.push_back(text); }
  bool askYesNo(const std::string& question) override {
    asked.push_back(question);
    return answer;
  }
  std::vector<std::string> shown;
  std::vector<std::string> asked;
  bool answer = true;
};

class FakeStatus final : public platform::IStatusLine {
 public:
  void setTitle(const std::string& title) override { titles.push_back(title); }
  std::string last() const { return titles.empty() ? std::string() : titles.back(); }
  std::vector<std::string> titles;
};

class FakeEvents final : public platform::IEventPump {
 public:
  void processEvents() override {
    ++calls;
    if (onEvents) onEvents();
  }
  int calls = 0;
  std::function<void()> onEvents;
};

class FakeClipboard final : public platform::IClipboard {
 public:
  void clear() override { content.clear(); }
  void setText(const std::string& text) override { content = text; }
  std::string text() override { return content; }
  std::string content;
};

class FakeUserStore final : public platform::IUserStore {
 public:
  std::optional<std::string> value(const std::string& key) override {
    const auto found = values.find(key);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  void setValue(const std::string& key, const std::string& value) override { values[key] = value; }
  std::map<std::string, std::string> values;
};

// Time stands still unless a test moves it; every reading may advance it by step seconds.
class FakeClock final : public platform::IClock {
 public:
  std::int64_t nowSeconds() override {
    const std::int64_t now = seconds;
    seconds += step;
    return now;
  }
  std::uint64_t seedValue() override { return 12345; }
  std::int64_t seconds = 1000;
  std::int64_t step = 0;
};

// Files in memory, with folders that refuse to open, a disk that fills up and a write that fails.
class FakeFileSystem final : public platform::IFileSystem {
 public:
  platform::FileStatus writeFile(const std::string& path, std::string_view data, bool append) override {
    ++writes;
    if (refuseOpen.count(folderOf(path)) != 0 || refuseOpen.count(path) != 0 ||
        (!append && refuseCreate.count(path) != 0))
      return failed(platform::FileStatus::OpenFailed, path, "Permission denied");
    std::string& file = files[path];
    if (!append) {
      file.clear();
      created.push_back(path);
    }
    if (writes == failAtWrite) return failed(platform::FileStatus::WriteFailed, path, "Input/output error");
    const std::size_t room = capacity > usedBytes() ? capacity - usedBytes() : 0;
    file.append(data.substr(0, std::min(room, data.size())));
    if (data.size() > room) return failed(platform::FileStatus::WriteFailed, path, "No space left on device");
    return platform::FileStatus::Ok;
  }
  platform::FileStatus appendFile(const std::string& path, const std::string& sourcePath) override {
    const auto found = files.find(sourcePath);
    if (found == files.end()) return failed(platform::FileStatus::ReadFailed, sourcePath, "No such file or directory");
    const std::string data = found->second;
    return writeFile(path, data, true);
  }
  platform::FileStatus readFile(const std::string& path, std::string& out) override {
    const auto found = files.find(path);
    if (found == files.end()) return failed(platform::FileStatus::OpenFailed, path, "No such file or directory");
    if (unreadable.count(path) != 0) return failed(platform::FileStatus::ReadFailed, path, "Input/output error");
    out = found->second;
    return platform::FileStatus::Ok;
  }
  std::optional<std::int64_t> fileLength(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return static_cast<std::int64_t>(found->second.size());
  }
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  platform::FileStatus createTemporary(const std::string& path, std::string& temporaryPath) override {
    if (refuseOpen.count(folderOf(path)) != 0 || refuseOpen.count(path) != 0)
      return failed(platform::FileStatus::OpenFailed, path, "Permission denied");
    temporaryPath = path + ".tmp" + std::to_string(++temporaries);
    files[temporaryPath];
    return platform::FileStatus::Ok;
  }
  platform::FileStatus commitTemporary(const std::string& temporaryPath, const std::string& path, bool) override {
    if (refuseCreate.count(path) != 0) return failed(platform::FileStatus::OpenFailed, path, "Permission denied");
    files[path] = std::move(files[temporaryPath]);
    files.erase(temporaryPath);
    created.push_back(path);
    return platform::FileStatus::Ok;
  }
  void removeFile(const std::string& path) override { files.erase(path); }
  std::string lastError() const override { return error; }

  std::size_t usedBytes() const {
    std::size_t used = 0;
    for (const auto& [name, content] : files) used += content.size();
    return used;
  }
  static std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }

  std::map<std::string, std::string> files;
  std::set<std::string> refuseOpen;    // any open fails (a file, or a folder ending with its separator)
  std::set<std::string> refuseCreate;  // creating or replacing the file fails
  std::set<std::string> unreadable;
  std::vector<std::string> created;  // paths in the order they were created or replaced
  std::size_t capacity = static_cast<std::size_t>(-1);
  int writes = 0;
  int failAtWrite = 0;  // the write with this number fails (counting from 1); 0 for none
  int temporaries = 0;
  std::string error;

 private:
  platform::FileStatus failed(platform::FileStatus status, const std::string& path, const std::string& reason) {
    (void)path;
    error = reason;
    return status;
  }
};

class FakePicture final : public platform::IPicture {
 public:
  FakePicture(int width, int height, std::int32_t colour) : width_(width), height_(height), colour_(colour) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  std::int32_t colourAt(int x, int y) const override {
    return x < 0 || y < 0 || x >= width_ || y >= height_ ? -1 : colour_;
  }

 private:
  int width_, height_;
  std::int32_t colour_;
};

class FakePictureLoader final : public platform::IPictureLoader {
 public:
  std::unique_ptr<platform::IPicture> load(const std::string& path, std::string& error) override {
    const auto found = pictures.find(path);
    if (found == pictures.end()) {
      error = "cannot read " + path;
      return nullptr;
    }
    return std::make_unique<FakePicture>(found->second);
  }
  std::map<std::string, FakePicture> pictures;
};

struct FakePlatform {
  FakeMessages messages;
  FakeStatus status;
  FakeEvents events;
  FakeClipboard clipboard;
  FakeUserStore userStore;
  FakeClock clock;
  FakeFileSystem files;
  FakePictureLoader pictures;
  platform::clsPlatform platform{messages, status, events, clipboard, userStore, clock, files, pictures};
};

}  // namespace fakes

namespace fakes {

// The desktop dialogs, answering what a test puts in.
class FakeDialogs final : public platform::IFileDialogs, public platform::IColourChooser, public platform::ITextPrompt {
 public:
  std::optional<std::string> openFile(const std::string& title, const std::vector<platform::clsFileFilter>& filters,
                                      const std::string& folder) override {
    asked.push_back({title, filters, folder});
    return takeAnswer();
  }
  std::optional<std::string> saveFile(const std::string& title, const std::vector<platform::clsFileFilter>& filters,
                                      const std::string& folder) override {
    asked.push_back({title, filters, folder});
    return takeAnswer();
  }
  std::int32_t chooseColour(std::int32_t start, const std::string& prompt) override {
    colourPrompts.push_back(prompt);
    colourStarts.push_back(start);
    return colour;
  }
  std::optional<std::string> askText(const std::string& caption, const std::string&) override {
    textCaptions.push_back(caption);
    return text;
  }

  struct clsAsked {
    std::string title;
    std::vector<platform::clsFileFilter> filters;
    std::string folder;
  };
  std::vector<clsAsked> asked;
  std::vector<std::optional<std::string>> answers;  // taken in turn; nothing (cancel) when used up
  std::int32_t colour = -1;
  std::vector<std::string> colourPrompts;
  std::vector<std::int32_t> colourStarts;
  std::optional<std::string> text;
  std::vector<std::string> textCaptions;
  platform::clsDialogs dialogs{*this, *this, *this};

 private:
  std::optional<std::string> takeAnswer() {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

}  // namespace fakes
