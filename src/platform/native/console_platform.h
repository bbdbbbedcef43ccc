#pragma once
// The platform of the command-line tool: messages and title lines go to standard error,
// no question is asked (overwriting is allowed only when the user said so up front),
// Ctrl+C works as the Cancel button.

#include <functional>
#include <map>

#include "platform/platform.h"

namespace platform {

class ConsoleMessages final : public IMessageBox {
 public:
  explicit ConsoleMessages(bool answerYes) : answerYes_(answerYes) {}
  void showMessage(const std::string& text) override;
  bool askYesNo(const std::string& question) override;

 private:
  bool answerYes_;
};

class ConsoleStatus final : public IStatusLine {
 public:
  void setTitle(const std::string& title) override;
};

// Calls onCancel once the user has pressed Ctrl+C.
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

}  // namespace platform
