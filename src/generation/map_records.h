#pragma once
// The coverage values (slots 31 to 36: area, item count, coverage picture, circle, pick colour)
// and the altitude values (slots 37 to 39: maximum height, use space, altitude picture), with
// their settings records "Alpha" and "Bump".

#include <vector>

#include "generation/map_pictures.h"
#include "model/settings_text.h"
#include "model/store.h"
#include "platform/platform.h"

namespace generation {

namespace slot {
inline constexpr int kCoverX = 31;
inline constexpr int kCoverZ = 32;
inline constexpr int kItemCount = 33;
inline constexpr int kCoveragePath = 34;
inline constexpr int kCircle = 35;
inline constexpr int kPickColour = 36;
inline constexpr int kMaxHeight = 37;
inline constexpr int kUseSpace = 38;
inline constexpr int kAltitudePath = 39;
}  // namespace slot

// What the setters that read picture files need besides the store.
struct clsMapContext {
  model::clsStore& store;
  clsMapPictures& pictures;
  platform::IPictureLoader& loader;
  platform::IMessageBox& messages;
};

class clsCoverageRecords final : public model::RecordOwner {
 public:
  explicit clsCoverageRecords(clsMapContext context) : context_(context) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  clsMapContext context_;
};

class clsAltitudeRecords final : public model::RecordOwner {
 public:
  explicit clsAltitudeRecords(clsMapContext context) : context_(context) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  clsMapContext context_;
};

}  // namespace generation

namespace modMapRecords {

using generation::clsMapContext;
using model::tValue;

// The values both editors give every element when they load.
void loadMaps(model::clsStore& store, generation::clsMapPictures& pictures);

// Setters on the active element.
void setCoverX(model::clsStore& store, const tValue& value);
void setCoverZ(model::clsStore& store, const tValue& value);
void setItemCount(model::clsStore& store, const tValue& value);
// Below 0 means no pick (-1).
void setPick(model::clsStore& store, const tValue& value);
// 1 puts the built-in circle in as the coverage picture.
void setCircle(clsMapContext context, const tValue& value);
// Clears circle and pick, then reads the picture; slot 34 keeps the form of the path last tried.
void loadCoverageImage(clsMapContext context, std::string_view path);
void setMaxHeight(model::clsStore& store, const tValue& value);
void setUseSpace(model::clsStore& store, const tValue& value);
void loadAltitudeImage(clsMapContext context, std::string_view path);

// A coverage or altitude picture that is named but could not be read.
struct clsUnreadablePicture {
  int element = 1;
  bool altitude = false;
  std::string path;
};
std::vector<clsUnreadablePicture> unreadablePictures(const model::clsStore& store,
                                                      const generation::clsMapPictures& pictures);

}  // namespace modMapRecords
