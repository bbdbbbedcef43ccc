#pragma once
// The create dialog's page: the object's file name, the disk-space limit, the note, and the
// buttons that create, cancel, save, copy, paste, open and reset.

#include <QWidget>
#include <functional>

#include "desktop/editor_page.h"
#include "desktop/text_box.h"
#include "desktop/value_box.h"
#include "editors/frm_create.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace desktop {

class CreatePage final : public QWidget {
 public:
  CreatePage(editors::frmCreate& model, QWidget* parent = nullptr);
  void refresh();
  // While a creation runs only Cancel can be pressed.
  void setRunning(bool running);
  // The note and the file-name box are applied (before an action that reads them).
  void commitEdits();
  // The file-name box takes the keys, its text selected to be typed over.
  void focusFileName();

  // The main window runs the creation, so that it can hold the rest of the window meanwhile.
  std::function<void()> onCreate;

 protected:

 private:
  // The two captions that name what a run writes, as the format choice says.
  void showCaptions();
  editors::frmCreate& model_;
  QPushButton* fileNameButton_ = nullptr;
  ValueBox* fileName_ = nullptr;
  ValueBox* diskSpace_ = nullptr;
  QComboBox* format_ = nullptr;
  TextBox* note_ = nullptr;
  QPushButton* create_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* saveColors_ = nullptr;
  QPushButton* saveSettings_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* defaults_ = nullptr;
  QCheckBox* helpTips_ = nullptr;
  QPushButton* help_ = nullptr;
  bool focusFileNameLater_ = false;
};

}  // namespace desktop
