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
  platform::Answer askYesNoCancel(const std::string& question) override {
    asked.push_back(question);
    return threeWayAnswer;
  }
  std::vector<std::string> shown;
  std::vector<std::string> asked;
  bool answer = true;
  platform::Answer threeWayAnswer = platform::Answer::No;
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
  bool flush() override { return !full; }
  std::map<std::string, std::string> values;
  bool full = false;
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
// Every file has an identity, as an inode: a temporary file writes into the file it created,
// even when a test removed or replaced what is at its name meanwhile.
class FakeFileSystem final : public platform::IFileSystem {
 public:
  platform::FileStatus writeFile(const std::string& path, std::string_view data, bool append) override {
    if (refused(path)) {
      ++writes;
      return failed(platform::FileStatus::OpenFailed, "Permission denied");
    }
    if (!append || files.count(path) == 0) {
      files[path].clear();
      identity[path] = ++identities;
      if (!append) created.push_back(path);
    }
    return appendTo(files[path], data);
  }
  platform::FileStatus readFile(const std::string& path, std::string& out) override {
    if (folders.count(path) != 0) return failed(platform::FileStatus::OpenFailed, "it is a folder");
    const auto found = files.find(path);
    if (found == files.end()) return failed(platform::FileStatus::OpenFailed, "No such file or directory");
    if (unreadable.count(path) != 0) return failed(platform::FileStatus::ReadFailed, "Input/output error");
    out = found->second;
    return platform::FileStatus::Ok;
  }
  std::optional<std::int64_t> fileLength(const std::string& path) override {
    const auto found = files.find(path);
    return found == files.end() ? std::nullopt : std::optional<std::int64_t>(found->second.size());
  }
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  bool isFolder(const std::string& path) override { return folders.count(path) != 0; }

  class FakeTemporaryFile final : public platform::ITemporaryFile {
   public:
    FakeTemporaryFile(FakeFileSystem& owner, std::string path, std::string target)
        : owner_(owner), path_(std::move(path)), target_(std::move(target)), identity_(owner.identity[path_]) {}
    ~FakeTemporaryFile() override {
      if (!committed_ && stillOurs()) owner_.removeFile(path_);
    }
    platform::FileStatus append(std::string_view data) override {
      if (owner_.refuseOpen.count(path_) != 0) {
        ++owner_.writes;
        return owner_.failed(platform::FileStatus::WriteFailed, "Bad file descriptor");
      }
      return owner_.appendTo(stillOurs() ? owner_.files[path_] : orphan_, data);
    }
    platform::FileStatus appendContentsOf(platform::ITemporaryFile& source) override {
      auto& from = dynamic_cast<FakeTemporaryFile&>(source);
      const std::string data = from.stillOurs() ? owner_.files[from.path_] : from.orphan_;
      return append(data);
    }
    platform::FileStatus writeAt(std::int64_t offset, std::string_view data) override {
      std::string& text = stillOurs() ? owner_.files[path_] : orphan_;
      const auto at = static_cast<std::size_t>(offset);
      if (++owner_.writes == owner_.failAtWrite)
        return owner_.failed(platform::FileStatus::WriteFailed, "Input/output error");
      const std::size_t grows = at + data.size() > text.size() ? at + data.size() - text.size() : 0;
      const std::size_t used = owner_.usedBytes();
      if (grows > (owner_.capacity > used ? owner_.capacity - used : 0))
        return owner_.failed(platform::FileStatus::WriteFailed, "No space left on device");
      if (at + data.size() > text.size()) text.resize(at + data.size(), '\0');
      text.replace(at, data.size(), data);
      return platform::FileStatus::Ok;
    }
    std::int64_t length() override {
      return static_cast<std::int64_t>(stillOurs() ? owner_.files[path_].size() : orphan_.size());
    }
    platform::FileStatus ready(bool) override {
      return stillOurs() ? platform::FileStatus::Ok
                         : owner_.failed(platform::FileStatus::WriteFailed, "the temporary file was removed");
    }
    platform::FileStatus commit() override {
      if (!stillOurs()) return owner_.failed(platform::FileStatus::WriteFailed, "the temporary file was removed");
      if (owner_.folders.count(target_) != 0)
        return owner_.failed(platform::FileStatus::WriteFailed, "Is a directory");
      const auto old = owner_.files.find(target_);
      replaced_ = old == owner_.files.end() ? std::nullopt : std::optional<std::string>(old->second);
      owner_.files[target_] = std::move(owner_.files[path_]);
      owner_.identity[target_] = identity_;
      owner_.files.erase(path_);
      owner_.identity.erase(path_);
      owner_.created.push_back(target_);
      committed_ = true;
      return platform::FileStatus::Ok;
    }
    platform::FileStatus restore() override {
      if (!committed_) return platform::FileStatus::Ok;
      if (replaced_) owner_.files[target_] = *replaced_;
      else owner_.removeFile(target_);
      committed_ = false;
      return platform::FileStatus::Ok;
    }
    const std::string& path() const { return path_; }

   private:
    bool stillOurs() const {
      const auto found = owner_.identity.find(path_);
      return found != owner_.identity.end() && found->second == identity_ && owner_.files.count(path_) != 0;
    }
    FakeFileSystem& owner_;
    std::string path_, target_;
    int identity_;
    std::string orphan_;  // what is written after the file was removed: lost, as on a real disk
    std::optional<std::string> replaced_;  // the file the commit replaced, kept for restore
    bool committed_ = false;
  };

  std::unique_ptr<platform::ITemporaryFile> createTemporary(const std::string& path) override {
    if (refused(path)) return failed(platform::FileStatus::OpenFailed, "Permission denied"), nullptr;
    const std::string temporaryPath = path + ".tmp" + std::to_string(++temporaries);
    files[temporaryPath];
    identity[temporaryPath] = ++identities;
    auto file = std::make_unique<FakeTemporaryFile>(*this, temporaryPath, path);
    if (onTemporary) onTemporary(temporaryPath);
    return file;
  }
  std::string realTarget(const std::string& path) override {
    const auto link = links.find(path);
    return link == links.end() ? path : link->second;
  }
  bool checkTarget(const std::string& path) override {
    if (folders.count(path) != 0) return failed(path + " is a folder.");
    if (devices.count(path) != 0) return failed(path + " is not a regular file.");
    if (path.size() - folderOf(path).size() > 255) return failed(path + ": the name is longer than the folder takes (255 bytes).");
    if (refuseOpen.count(folderOf(path)) != 0)
      return failed("The folder " + folderOf(path) + " does not take new files: Permission denied.");
    if (readOnly.count(path) != 0) return failed(path + " is read-only.");
    return true;
  }
  std::unique_ptr<platform::IFileLock> lockBaseName(const std::string& stem, bool& busy) override {
    busy = locked.count(stem) != 0;
    if (busy) return failed(platform::FileStatus::OpenFailed, "another run is writing these files"), nullptr;
    if (unlockable.count(stem) != 0)
      return failed(platform::FileStatus::OpenFailed, "The lock file " + stem + ".lock is a folder."), nullptr;
    return std::make_unique<FakeLock>(*this, stem);
  }
  void removeLeftovers(const std::string& path) override {
    for (auto it = files.begin(); it != files.end();)
      it = it->first.rfind(path + ".tmp", 0) == 0 && it->first.size() > path.size() + 4 ? files.erase(it) : ++it;
  }
  void removeFile(const std::string& path) override {
    files.erase(path);
    identity.erase(path);
  }
  std::string lastError() const override { return error; }

  bool refused(const std::string& path) const { return refuseOpen.count(folderOf(path)) != 0 || refuseOpen.count(path) != 0; }
  std::size_t usedBytes() const {
    std::size_t used = 0;
    for (const auto& [name, content] : files) used += content.size();
    return used;
  }
  static std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }
  // Temporary files not yet put in place or removed.
  std::vector<std::string> temporaryFiles() const {
    std::vector<std::string> found;
    for (const auto& [name, content] : files)
      if (name.find(".tmp") != std::string::npos) found.push_back(name);
    return found;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> refuseOpen;    // any open fails (a file, or a folder ending with its separator)
  std::set<std::string> unreadable;
  std::set<std::string> folders;   // paths that are folders
  std::set<std::string> readOnly;  // files that may not be replaced
  std::set<std::string> locked;    // base names another run holds
  std::set<std::string> unlockable;  // base names whose lock file cannot be opened
  std::set<std::string> devices;     // paths that are devices or pipes
  std::map<std::string, std::string> links;  // symbolic links and the files they really name
  std::vector<std::string> created;  // paths in the order they were created or replaced
  std::function<void(const std::string&)> onTemporary;  // told every temporary file's name
  std::size_t capacity = static_cast<std::size_t>(-1);
  int writes = 0;
  int failAtWrite = 0;  // the write with this number fails (counting from 1); 0 for none
  int temporaries = 0;
  std::string error;

 private:
  class FakeLock final : public platform::IFileLock {
   public:
    FakeLock(FakeFileSystem& owner, std::string stem) : owner_(owner), stem_(std::move(stem)) {
      owner_.locked.insert(stem_);
    }
    ~FakeLock() override { owner_.locked.erase(stem_); }

   private:
    FakeFileSystem& owner_;
    std::string stem_;
  };

  platform::FileStatus appendTo(std::string& file, std::string_view data) {
    ++writes;
    if (writes == failAtWrite) return failed(platform::FileStatus::WriteFailed, "Input/output error");
    const std::size_t used = usedBytes();
    const std::size_t room = capacity > used ? capacity - used : 0;
    file.append(data.substr(0, std::min(room, data.size())));
    if (data.size() > room) return failed(platform::FileStatus::WriteFailed, "No space left on device");
    return platform::FileStatus::Ok;
  }
  platform::FileStatus failed(platform::FileStatus status, const std::string& reason) {
    error = reason;
    return status;
  }
  bool failed(const std::string& reason) {
    error = reason;
    return false;
  }
  std::map<std::string, int> identity;
  int identities = 0;
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


// The desktop dialogs, answering what a test puts in.
class FakeDialogs final : public platform::IFileDialogs, public platform::IColourChooser, public platform::ITextPrompt {
 public:
  std::optional<std::string> openFile(const std::string& title, const std::vector<platform::clsFileFilter>& filters,
                                      const std::string& folder) override {
    return takeAnswer(title, filters, folder);
  }
  std::optional<std::string> saveFile(const std::string& title, const std::vector<platform::clsFileFilter>& filters,
                                      const std::string& folder) override {
    return takeAnswer(title, filters, folder);
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
  std::optional<std::string> takeAnswer(const std::string& title, const std::vector<platform::clsFileFilter>& filters,
                                        const std::string& folder) {
    asked.push_back({title, filters, folder});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

}  // namespace fakes
