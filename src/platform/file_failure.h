#pragma once
// How a failed save or load is told to the user: the message (what failed, then which file and
// the system's reason, or that the reason is unknown) and the title line; and how a file is saved
// so that a failure never leaves the user's previous file damaged.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform {

inline constexpr std::string_view kUnknownReason = "The application doesn't know what the error is about.";

// The message text of a failure: the file and the file system's reason, or, where the system
// gave none, unknown and the file.
inline std::string failureText(std::string_view text, std::string_view path, const IFileSystem& files,
                               std::string_view unknown = kUnknownReason) {
  std::string message(text);
  const std::string reason = files.lastError();
  message += "\n";
  if (reason.empty()) {
    message += unknown;
    message += "\n";
  }
  message += path;
  if (!reason.empty()) message += ": " + reason;
  return message;
}

// openingText when the file could not be opened or created, otherText when reading or
// writing it failed.
inline void reportFileFailure(clsPlatform& platform, FileStatus failure, std::string_view path,
                              std::string_view openingText, std::string_view otherText, std::string_view title) {
  const std::string_view text = failure == FileStatus::OpenFailed ? openingText : otherText;
  platform.messages.showMessage(failureText(text, path, platform.files));
  platform.status.setTitle(titleWith(title));
}

// Writes text under a temporary name beside path and puts it in path's place only when it is
// complete; on any failure the temporary file is removed and an old file at path is untouched.
inline FileStatus writeWholeFile(IFileSystem& files, const std::string& path, std::string_view text) {
  // Judged where the file really changes: a device, pipe or folder is never replaced.
  if (!files.checkTarget(path)) return FileStatus::OpenFailed;
  const std::unique_ptr<ITemporaryFile> file = files.createTemporary(path);
  if (file == nullptr) return FileStatus::OpenFailed;
  FileStatus status = file->append(text);
  if (status == FileStatus::Ok) status = file->ready(true);
  return status == FileStatus::Ok ? file->commit() : status;
}

// The texts of one kind of saved file: the two failure messages and the two title endings.
struct clsSaveTexts {
  std::string_view openingFailed;
  std::string_view writingFailed;
  std::string_view doneTitle;
  std::string_view failedTitle;
};

// Saves text whole at path, reporting the outcome by message and title.
inline bool saveReported(clsPlatform& platform, const std::string& path, std::string_view text,
                         const clsSaveTexts& texts) {
  if (!platform.files.checkTarget(path)) {  // its reason names the file
    platform.messages.showMessage(std::string(texts.openingFailed) + "\n" + platform.files.lastError());
    platform.status.setTitle(titleWith(texts.failedTitle));
    return false;
  }
  const FileStatus written = writeWholeFile(platform.files, path, text);
  if (written != FileStatus::Ok) {
    reportFileFailure(platform, written, path, texts.openingFailed, texts.writingFailed, texts.failedTitle);
    return false;
  }
  platform.status.setTitle(titleWith(texts.doneTitle));
  return true;
}

}  // namespace platform
