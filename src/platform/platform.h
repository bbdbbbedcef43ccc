#pragma once
// The small interfaces through which the core reaches the machine. The desktop program
// implements them with Qt, the command-line tool with the console, and the tests with fakes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::string_view kAppName = "Quenmoor Grass";

enum class Answer { Yes, No, Cancel };

// Message box with an OK button, and Yes/No questions, both captioned kAppName.
class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual void showMessage(const std::string& text) = 0;
  virtual bool askYesNo(const std::string& question) = 0;
  // Yes, No or Cancel; closing the box is Cancel. Where no Cancel can be offered, Yes or No.
  virtual Answer askYesNoCancel(const std::string& question) { return askYesNo(question) ? Answer::Yes : Answer::No; }
  // The program is ending and nobody is there to answer: from now on no box is shown, open ones
  // close, and every question takes its cautious answer (No, Cancel).
  virtual void stopAsking() {}
};

// The main window's title, used as the status line.
class IStatusLine {
 public:
  virtual ~IStatusLine() = default;
  virtual void setTitle(const std::string& title) = 0;
  // A progress line of a long run, soon replaced by the next one or by a final title; a
  // console may redraw it in place or show only some of them.
  virtual void setProgress(const std::string& line) { setTitle(line); }
};

// Lets the user interface handle pending events (repaint, Cancel) during a long run.
class IEventPump {
 public:
  virtual ~IEventPump() = default;
  virtual void processEvents() = 0;
};

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual void clear() = 0;
  virtual void setText(const std::string& text) = 0;
  virtual std::string text() = 0;
};

// Per-user key-value store, application kAppName, section "application".
class IUserStore {
 public:
  virtual ~IUserStore() = default;
  virtual std::optional<std::string> value(const std::string& key) = 0;
  virtual void setValue(const std::string& key, const std::string& value) = 0;
  // Writes the values out now; false when they could not be kept (a full or unwritable home).
  virtual bool flush() { return true; }
  // True once, after the store found its file damaged and dropped what it could not read.
  virtual bool takeDroppedNotice() { return false; }
};

class IClock {
 public:
  virtual ~IClock() = default;
  // Whole seconds since a fixed epoch.
  virtual std::int64_t nowSeconds() = 0;
  // A value that differs from start to start, for seeding the random generator.
  virtual std::uint64_t seedValue() = 0;
};

enum class FileStatus { Ok, OpenFailed, WriteFailed, ReadFailed };

// Settings files larger than this are refused: no settings text comes near it, and reading a
// device or a huge file by mistake must not exhaust the memory.
inline constexpr std::int64_t kMaxReadBytes = 64LL * 1024 * 1024;

// A new file written under a temporary name beside the file it is to replace, through one open
// descriptor for its whole life: a temporary file removed or replaced meanwhile is noticed, never
// silently made anew. Destroyed before commit, it is removed and the old file stays as it was.
class ITemporaryFile {
 public:
  virtual ~ITemporaryFile() = default;
  virtual FileStatus append(std::string_view data) = 0;
  // Appends everything written to source so far, a block at a time, so that a large file
  // passes through without being held in memory. Both come from the same file system.
  virtual FileStatus appendContentsOf(ITemporaryFile& source) = 0;
  // Writes data at offset, over what is there or beyond the end (the bytes between read as
  // zeros until written): a head filled in once the rest is known. A file written this way is
  // not appended to.
  virtual FileStatus writeAt(std::int64_t offset, std::string_view data) = 0;
  // Length of the file as the file system reports it.
  virtual std::int64_t length() = 0;
  // Checks that the temporary name still names this file (not removed or replaced meanwhile);
  // flushToDisk then waits until the data is on the disk.
  virtual FileStatus ready(bool flushToDisk) = 0;
  // Puts the complete file in the place of its target in one step, once it is ready. The file it
  // replaced is kept aside until this object is destroyed, so that restore can put it back.
  virtual FileStatus commit() = 0;
  // Undoes a commit: the replaced file is back in its place, or, where there was none, the new
  // one is removed. Nothing to do before a commit.
  virtual FileStatus restore() = 0;
};

// Held while one run writes the files of a base name; released when destroyed.
class IFileLock {
 public:
  virtual ~IFileLock() = default;
};

// Sequential files as the writers need them. A file the user may already have is never written
// in place: it is written whole under a temporary name beside it, then put in its place.
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // Creates or truncates the file and writes data, or appends data when append is set.
  virtual FileStatus writeFile(const std::string& path, std::string_view data, bool append) = 0;
  // Reads a regular file of at most kMaxReadBytes whole.
  virtual FileStatus readFile(const std::string& path, std::string& out) = 0;
  virtual std::optional<std::int64_t> fileLength(const std::string& path) = 0;
  // A file (not a folder) is at path.
  virtual bool exists(const std::string& path) = 0;
  virtual bool isFolder(const std::string& path) = 0;
  // Starts the file that is to replace path; null when it cannot be created (lastError says why,
  // naming the folder when the folder refuses it).
  virtual std::unique_ptr<ITemporaryFile> createTemporary(const std::string& path) = 0;
  // The file that writing at path really changes: a symbolic link is written through (the link
  // stays and what it names is replaced, made when it does not exist yet), its folder as it
  // really is. path itself where nothing is to be resolved.
  virtual std::string realTarget(const std::string& path) { return path; }
  // Whether a complete file can be put at path, judged at the file that really changes: the
  // folder exists and takes new files; the name fits the file system; the target is a regular
  // file that may be replaced, or nothing yet; no link of another user in a shared folder leads
  // there. When not, lastError is a whole sentence that names what is in the way.
  virtual bool checkTarget(const std::string& path) = 0;
  // The advisory lock of the files folder + base name + any extension, for one run. Null when
  // it is not taken: busy set when another run holds it, otherwise lastError says why.
  virtual std::unique_ptr<IFileLock> lockBaseName(const std::string& stem, bool& busy) = 0;
  // Removes the temporary files that ended runs left for path; call under the base name's lock.
  // Temporary files of other names in the folder go too once they are a day old and no run
  // holds them.
  virtual void removeLeftovers(const std::string& path) = 0;
  virtual void removeFile(const std::string& path) = 0;
  // The system's reason for the last call that failed ("No space left on device"), for messages.
  virtual std::string lastError() const = 0;
};

class IPicture {
 public:
  virtual ~IPicture() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Colour as red + 256 green + 65536 blue, or -1 outside the picture.
  virtual std::int32_t colourAt(int x, int y) const = 0;
};

// How a loader's error begins when a picture is larger than the program reads.
inline constexpr std::string_view kPictureTooLarge = "The picture is too large";

class IPictureLoader {
 public:
  virtual ~IPictureLoader() = default;
  // Null when the file is missing, unreadable or of an unsupported format; error says why.
  virtual std::unique_ptr<IPicture> load(const std::string& path, std::string& error) = 0;
  // The file name endings this loader reads ("jpg", "png"), lower-case.
  virtual std::vector<std::string> extensions() const { return {"jpg", "jpe", "jpeg", "gif", "bmp", "png"}; }
};

// One entry of a file dialog's type list: its caption and its pattern ("*.obj").
struct clsFileFilter {
  std::string caption;
  std::string pattern;
};

// The desktop program's file dialogs. A dialog opens in folder (the system's choice when it
// is empty); nothing comes back when the user cancels.
class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // An existing file only.
  virtual std::optional<std::string> openFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                              const std::string& folder) = 0;
  virtual std::optional<std::string> saveFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                              const std::string& folder) = 0;
};

// The colour chooser: starts from a colour (red + 256 green + 65536 blue), solid colours only,
// with prompt as its title; -1 when the user cancels.
class IColourChooser {
 public:
  virtual ~IColourChooser() = default;
  virtual std::int32_t chooseColour(std::int32_t start, const std::string& prompt) = 0;
};

// A small modal box asking for one line of text; nothing when it is closed without a text box
// to read (the caller treats an empty text as no answer).
class ITextPrompt {
 public:
  virtual ~ITextPrompt() = default;
  virtual std::optional<std::string> askText(const std::string& caption, const std::string& button) = 0;
};

// What only the desktop program asks of the user besides messages.
struct clsDialogs {
  IFileDialogs& files;
  IColourChooser& colours;
  ITextPrompt& text;
};

// Everything the core may ask of the machine, handed down from the one owner (a program's main).
struct clsPlatform {
  IMessageBox& messages;
  IStatusLine& status;
  IEventPump& events;
  IClipboard& clipboard;
  IUserStore& userStore;
  IClock& clock;
  IFileSystem& files;
  IPictureLoader& pictures;
};

inline std::string titleWith(std::string_view text) {
  std::string title(kAppName);
  title += text;
  return title;
}

}  // namespace platform
