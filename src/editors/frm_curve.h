#pragma once
// The curve editor's model: the blade curve of the active element in side view, its control
// points picked and moved by mouse and arrow keys, weights, four points or three, tip variation,
// and random variants to look at.

#include <array>
#include <optional>
#include <string>

#include "blade/curve.h"
#include "editors/drawing.h"
#include "editors/editor_model.h"
#include "editors/session.h"

namespace editors {

enum class Arrow { Left, Up, Right, Down };

class frmCurve final : public clsEditorModel {
 public:
  explicit frmCurve(clsSession& session) : session_(session) {}

  static constexpr const char* kUse4Caption = "Use 4 control points";
  static constexpr const char* kWeightCaption = "W";
  static constexpr std::array<const char*, 3> kVariationCaptions = {"v X", "v Y", "v Z"};
  static constexpr const char* kVariationUnit = "% of Y";
  static constexpr const char* kSameToAllCaption = "&Same v XYZ to all";
  static constexpr std::array<const char*, 3> kOriginCaptions = {"&xy=0", "&x=0", "&y=0"};
  static constexpr std::array<const char*, 2> kDrawCaptions = {"Random", "No Rand"};
  static constexpr const char* kUnitHeightCaption = "Y = 100%";
  static constexpr std::array<const char*, 2> kAxisCaptions = {"-X", "+X"};

  static constexpr int kHitTolerance = 7;
  static constexpr std::int32_t kAxis = rgb(230, 230, 230);
  static constexpr std::int32_t kNodeLine = rgb(0, 128, 0);
  static constexpr std::int32_t kPolygon = rgb(255, 180, 180);
  static constexpr std::array<std::int32_t, 4> kPointColours = {rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 180, 0),
                                                                rgb(0, 0, 255)};

  // The view's size in pixels, before every drawing and click.
  void setViewSize(int width, int height) { width_ = width, height_ = height; }
  struct clsView {
    float ox = 0, oy = 0, scale = 1;
  };
  clsView view() const;

  // The view: the parent curve, or the random variant last drawn.
  clsDrawing drawing() const;

  // What the controls show.
  bool useFourPoints() const;
  int pointCount() const;
  int activePoint() const;
  std::string weightText(int point) const;  // "" for point 4 of three
  bool weightEnabled(int point) const { return point <= pointCount(); }
  std::string variationText(int axis) const;  // axis 0..2
  bool zVariationEnabled() const;

  std::string use4Tip() const { return tip("Use all 4 control points"); }
  std::string originTip(int index) const;
  std::string drawTip(int index) const;
  std::string variationTip(int axis) const;
  std::string weightTip(int point) const;
  std::string sameToAllTip() const { return tip("Set these variable values to all items."); }

  void setActiveElement(int element) override;
  void formChange() override { variant_.reset(); }

  // A mouse press: picks a point within the tolerance, else moves the active point there.
  void click(float x, float y);
  // The mouse moved with a button held: the active point follows.
  void drag(float x, float y);
  void arrow(Arrow key);
  void setUseFourPoints(bool on);
  void applyWeight(int point, const std::string& text);
  void applyVariation(const std::string& x, const std::string& y, const std::string& z);
  // "&Same v XYZ to all": the three texts for every element; the active element stays.
  void sameVariationToAll(const std::string& x, const std::string& y, const std::string& z);
  // "&xy=0", "&x=0", "&y=0".
  void toOrigin(int index);
  // "Random" draws a new variant from the program's generator; "No Rand" the parent curve.
  void drawRandom();
  void drawParent() { variant_.reset(); }

 private:
  const blade::clsCurve& curve() const;
  geometry::clsPixel pointOnScreen(int point) const;

  clsSession& session_;
  int width_ = 440;
  int height_ = 310;
  std::optional<blade::clsCurve> variant_;
};

}  // namespace editors
