#pragma once
// The width-profile editor's model: the blade straightened from foot to tip, both sides' width
// handles picked and dragged, node count, symmetry, compound leaves, section change, width
// variation, the second colour set, the five width operations and copying between elements.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "editors/drawing.h"
#include "editors/copying_editor.h"

namespace editors {

class frmShapeWi final : public clsCopyingEditor {
 public:
  explicit frmShapeWi(clsSession& session) : clsCopyingEditor(session) {}

  static constexpr const char* kSymmetricCaption = "Symmetric";
  static constexpr const char* kNodeCountCaption = "Number of nodes";
  static constexpr const char* kSecondColourCaption = "Node of 2nd color set";
  static constexpr const char* kCompoundCaption = "Compound leaves (c)";
  static constexpr const char* kAngleCaption = "c Angle";
  static constexpr const char* kSizeCaption = "c Size change";
  static constexpr const char* kJointCaption = "c Node of joint";
  static constexpr const char* kSplitCaption = "c Node of split";
  static constexpr const char* kSmoothCaption = "Smooth rock";
  static constexpr const char* kSectionCaption = "Section change";
  static constexpr const char* kWidthVarCaption = "v Width";
  static constexpr std::array<const char*, 2> kDrawCaptions = {"Random", "No Rand"};
  static constexpr std::array<const char*, 5> kEqualCaptions = {"Same all", "Align all", "=above", "=side", "=below"};
  static constexpr std::array<const char*, 2> kSideCaptions = {"+Z", "-Z"};

  static constexpr int kHitTolerance = 7;
  static constexpr std::int32_t kCentreLine = rgb(200, 200, 200);
  static constexpr std::int32_t kOutline = rgb(0, 128, 0);
  static constexpr std::int32_t kSecondColour = rgb(170, 170, 255);
  static constexpr std::int32_t kJoint = rgb(0, 0, 255);
  static constexpr std::int32_t kSplit = rgb(255, 0, 255);
  static constexpr std::int32_t kActive = rgb(255, 0, 0);

  void setViewSize(int width, int height) { width_ = width, height_ = height; }
  struct clsView {
    float length = 0, cx = 0, footY = 0, scale = 1;
    std::vector<float> y;  // node j at y[j - 1]
  };
  clsView view() const;
  // Node j's handle on side 0 (toward +Z, drawn left) or 1.
  geometry::clsPixel handle(const clsView& view, int side, int node) const;
  clsDrawing drawing() const;

  // What the controls show.
  int nodeCount() const;
  int secondColourNode() const;
  int compoundCount() const;
  int jointNode() const;
  int splitNode() const;
  int activeNode() const;
  int activeSide() const;
  bool symmetric() const;
  bool smooth() const { return compoundCount() == 1; }
  bool isRock() const;
  int sectionChange() const;
  std::string sectionText() const { return std::to_string(sectionChange()) + "%"; }
  std::string angleText() const;
  std::string sizeText() const;
  std::string widthVarText() const;

  std::string nodeCountTip(int index) const;
  std::string symmetricTip() const { return tip("If checked, the nodes shall be drawn symmetrically."); }
  std::string drawTip(int index) const;
  std::string equalTip(int index) const;
  std::string copyTip() const { return tip("Copy the shape of this grass."); }
  std::string pasteTip() const { return tip("Paste the copied shape into this grass."); }
  std::string compoundTip(int index) const;
  std::string angleTip() const {
    return tip("The angle between 2 leaves in a compound leaf. If 0, Compound leaves shall set sawtooth number.");
  }
  std::string sizeTip() const { return tip("The compound size change for each successive leaves in a compound leaf"); }
  std::string jointTip(int index) const;
  std::string splitTip(int index) const;
  std::string sectionTip() const { return tip("The successive change of sections (or node lengths) in percent"); }
  std::string widthVarTip() const { return tip("The widths can vary by this amount."); }
  std::string secondColourTip(int index) const;
  std::string smoothTip() const { return tip("If checked, the rock shall smooth out."); }

  void setActiveElement(int element) override;
  void formChange() override { preview_.reset(); }

  // A mouse press: a handle of the clicked side within the tolerance becomes active, else the
  // active handle goes to the click (to 0 when the click is on the other side of the centre).
  void click(float x, float y);
  // The mouse moved with a button held: the active handle follows.
  void drag(float x, float y);
  // Left (-1) or right (+1): one pixel from the active handle through the mouse rule.
  void nudge(int direction);

  // The "-" (delta -1) and "+" (delta +1) buttons.
  void changeNodeCount(int delta);
  void changeSecondColourNode(int delta);
  void changeCompoundCount(int delta);
  void changeJointNode(int delta);
  void changeSplitNode(int delta);
  void applyAngle(const std::string& text);
  void applySize(const std::string& text);
  void applyWidthVar(const std::string& text);
  void setSectionChange(int value);
  void setSymmetric(bool on);
  void setSmooth(bool on);
  void drawRandom();
  void drawExact() { preview_.reset(); }
  // 0 Same all, 1 Align all, 2 =above, 3 =side, 4 =below.
  void equal(int index);
  void paste() override;

 private:
  void setWidthAt(float x, bool onActiveSide, float cx, float scale);

  int width_ = 220;
  int height_ = 310;
  std::optional<std::array<std::vector<float>, 2>> preview_;
};

}  // namespace editors
