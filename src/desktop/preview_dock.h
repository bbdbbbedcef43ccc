#pragma once
// The "3D view" dock: the preview of the field the current settings would create, following
// every edit after a short pause, with Reshuffle, "Save view as PNG..." and the item cap. Where
// OpenGL cannot be had it says so and the rest of the program goes on.

#include <QDockWidget>
#include <QTimer>
#include <memory>

#include "preview/preview_worker.h"
#include "editors/session.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace desktop {

class PreviewView;

class PreviewDock final : public QDockWidget {
 public:
  PreviewDock(editors::clsSession& session, QWidget* parent = nullptr);
  ~PreviewDock() override;

  static constexpr const char* kNoOpenGl = "The 3D view needs OpenGL, which this display does not offer.";
  static constexpr const char* kUpdating = "Updating the 3D view...";

  PreviewView* view() const { return view_; }
  // The settings changed: a new scene after a short pause once edits stop.
  void scheduleUpdate();
  // Asks for a scene of the current settings at once.
  void updateNow();
  void reshuffle();
  bool saveImage();
  // Whether the dock is shown, as stored for the next start (shown the first time).
  void storeShown(bool shown);
  void restoreShown();

 private:
  void takeScene(std::shared_ptr<const preview::clsPreviewScene> scene, std::uint64_t number);
  // The line while the view is behind the design: "Updating the 3D view..." and how far.
  void showBehind();

  editors::clsSession& session_;
  PreviewView* view_ = nullptr;
  QLabel* line_ = nullptr;
  QComboBox* cap_ = nullptr;
  QComboBox* pictureSize_ = nullptr;
  QPushButton* reshuffle_ = nullptr;
  QPushButton* save_ = nullptr;
  QTimer pause_;
  QTimer progress_;  // the line follows the build while it runs
  std::uint64_t latest_ = 0;
  int listener_ = 0;
  std::unique_ptr<preview::clsPreviewWorker> worker_;
};

}  // namespace desktop
