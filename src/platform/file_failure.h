#pragma once
// How a failed save or load is told to the user: the message (what failed, then that the
// cause is unknown) and the title line.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform {

// openingText when the file could not be opened or created, otherText when reading or
// writing it failed.
inline void reportFileFailure(clsPlatform& platform, FileStatus failure, std::string_view openingText,
                              std::string_view otherText, std::string_view title) {
  const std::string_view text = failure == FileStatus::OpenFailed ? openingText : otherText;
  platform.messages.showMessage(std::string(text) + "\nThe application doesn't know what the error is about.");
  platform.status.setTitle(titleWith(title));
}

// The texts of one kind of saved file: the two failure messages and the two title endings.
struct clsSaveTexts {
  std::string_view openingFailed;
  std::string_view writingFailed;
  std::string_view doneTitle;
  std::string_view failedTitle;
};

// Creates or truncates path and writes text, reporting the outcome by message and title.
inline bool saveReported(clsPlatform& platform, const std::string& path, std::string_view text,
                         const clsSaveTexts& texts) {
  const FileStatus written = platform.files.writeFile(path, text, false);
  if (written != FileStatus::Ok) {
    reportFileFailure(platform, written, texts.openingFailed, texts.writingFailed, texts.failedTitle);
    return false;
  }
  platform.status.setTitle(titleWith(texts.doneTitle));
  return true;
}

}  // namespace platform
