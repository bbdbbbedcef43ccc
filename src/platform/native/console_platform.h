#pragma once
// The platform of the command-line tool: messages and title lines go to standard error,
// no question is asked (overwriting is allowed only when the user said so up front),
// Ctrl+C, SIGTERM and SIGHUP work as the Cancel button.

#include <chrono>
#include <functional>
#include <map>

#include "platform/platform.h"

namespace platform {

// Standard error as the program's status line. On a terminal a progress line is redrawn in
// place; elsewhere (a log file, a pipe) at most one progress line a second is written. A write
// that fails (a closed pipe) only loses that text.
class ConsoleOutput {
 public:
  ConsoleOutput();
  void line(const std::string& text);
  void progress(const std::string& text);

 private:
  void endProgress();
  bool terminal_;
  bool progressShown_ = false;
  std::chrono::steady_clock::time_point lastProgress_{};
};

class ConsoleMessages final : public IMessageBox {
 public:
  ConsoleMessages(ConsoleOutput& output, bool answerYes) : output_(output), answerYes_(answerYes) {}
  void showMessage(const std::string& text) override;
  bool askYesNo(const std::string& question) override;

 private:
  ConsoleOutput& output_;
  bool answerYes_;
};

class ConsoleStatus final : public IStatusLine {
 public:
  explicit ConsoleStatus(ConsoleOutput& output) : output_(output) {}
  void setTitle(const std::string& title) override { output_.line(title); }
  void setProgress(const std::string& line) override { output_.progress(line); }

 private:
  ConsoleOutput& output_;
};

// Calls onCancel once the user has pressed Ctrl+C or the program was asked to end.
class ConsoleEvents final : public IEventPump {
 public:
  ConsoleEvents();
  void processEvents() override;
  std::function<void()> onCancel;
};

// A clipboard that lives as long as the tool: there is no window system to share it with.
class MemoryClipboard final : public IClipboard {
 public:
  void clear() override { text_.clear(); }
  void setText(const std::string& text) override { text_ = text; }
  std::string text() override { return text_; }

 private:
  std::string text_;
};

// The tool keeps nothing between runs.
class MemoryUserStore final : public IUserStore {
 public:
  std::optional<std::string> value(const std::string& key) override;
  void setValue(const std::string& key, const std::string& value) override { values_[key] = value; }

 private:
  std::map<std::string, std::string> values_;
};

// A closed pipe must not end the program: writes to it fail instead, and are treated so.
void ignoreBrokenPipes();

}  // namespace platform
