#pragma once
// The desktop program's platform through Qt: message boxes, the clipboard, the per-user store,
// the window title as status line, the event pump, and the file, colour and name dialogs.

#include <QElapsedTimer>
#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

#include "platform/platform.h"

namespace platform {

// Message boxes captioned kAppName over the main window (set once it exists).
class QtMessageBox final : public IMessageBox {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  void showMessage(const std::string& text) override;
  bool askYesNo(const std::string& question) override;
  Answer askYesNoCancel(const std::string& question) override;
  // Closes every modal box and dialog of the program too (file, colour and name dialogs).
  void stopAsking() override;

 private:
  QPointer<QWidget> parent_;
  bool stopped_ = false;
};

class QtClipboard final : public IClipboard {
 public:
  void clear() override;
  void setText(const std::string& text) override;
  std::string text() override;
};

// QSettings under organisation and application kAppName, group "application"; a file of its own
// where one is given (tests).
class QtUserStore final : public IUserStore {
 public:
  QtUserStore();
  explicit QtUserStore(const QString& file);
  std::optional<std::string> value(const std::string& key) override;
  void setValue(const std::string& key, const std::string& value) override;
  void sync() { settings_->sync(); }
  bool flush() override;
  bool takeDroppedNotice() override { return std::exchange(dropped_, false); }

 private:
  // A file Qt cannot read (damaged, or not the store's at all) would fail every later write
  // and carry its junk on: it is replaced by the values of this program that could be read.
  void dropUnreadable(const std::function<std::unique_ptr<QSettings>()>& open);

  std::unique_ptr<QSettings> settings_;
  bool dropped_ = false;
};

// The main window's title; a title set before the window exists is shown once it does.
class QtStatusLine final : public IStatusLine {
 public:
  void setWindow(QWidget* window);
  void setTitle(const std::string& title) override;

 private:
  QPointer<QWidget> window_;
  QString title_;
};

// Lets Qt handle pending events, at most every 20 ms: a creation run calls this after every one
// of a million items, and handling events each time would cost more than the items.
class QtEventPump final : public IEventPump {
 public:
  QtEventPump() { sinceLast_.start(); }
  void processEvents() override;

 private:
  QElapsedTimer sinceLast_;
};

class QtFileDialogs final : public IFileDialogs {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  // No new folders, renaming, deleting or moving by drag inside the dialogs: for the GUI monkey,
  // whose random clicks must not change the machine's files.
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
  std::optional<std::string> openFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                      const std::string& folder) override;
  std::optional<std::string> saveFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                      const std::string& folder) override;

 private:
  QPointer<QWidget> parent_;
  bool readOnly_ = false;
};

class QtColourChooser final : public IColourChooser {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  std::int32_t chooseColour(std::int32_t start, const std::string& prompt) override;

 private:
  QPointer<QWidget> parent_;
};

// A small box with one empty line and one button; Enter presses the button.
class QtTextPrompt final : public ITextPrompt {
 public:
  void setParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> askText(const std::string& caption, const std::string& button) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace platform
