#pragma once
// The coverage values (slots 31 to 36: area, item count, coverage picture, circle, pick colour)
// and the altitude values (slots 37 to 39: maximum height, use space, altitude picture), with
// their settings records "Alpha" and "Bump".

#include <vector>

#include "generation/map_pictures.h"
#include "model/settings_text.h"
#include "model/slots.h"
#include "model/store.h"
#include "platform/platform.h"

namespace generation {

// What the setters that read picture files need besides the store.
struct clsMapContext {
  model::clsStore& store;
  clsMapPictures& pictures;
  platform::IPictureLoader& loader;
  platform::IMessageBox& messages;
  // Where pictures already read are found again by their files' bytes.
  platform::IFileSystem& files;
  clsPictureShelf& shelf;
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

// The records "Alpha" (coverage) and "Bump" (altitude) of every element, and one record applied.
std::string coverageText(const model::clsStore& store);
model::RecordStatus applyCoverage(clsMapContext context, std::string_view keyword, const model::tFields& fields);
std::string altitudeText(const model::clsStore& store);
model::RecordStatus applyAltitude(clsMapContext context, std::string_view keyword, const model::tFields& fields);

}  // namespace modMapRecords

namespace generation {

// A settings-record owner over one pair of the functions above.
template <std::string (*toText)(const model::clsStore&),
          model::RecordStatus (*apply)(clsMapContext, std::string_view, const model::tFields&)>
class clsMapRecords final : public model::IRecordOwner {
 public:
  explicit clsMapRecords(clsMapContext context) : context_(context) {}
  std::string toTextSettings() const override { return toText(context_.store); }
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override {
    return apply(context_, keyword, fields);
  }

 private:
  clsMapContext context_;
};

using clsCoverageRecords = clsMapRecords<modMapRecords::coverageText, modMapRecords::applyCoverage>;
using clsAltitudeRecords = clsMapRecords<modMapRecords::altitudeText, modMapRecords::applyAltitude>;

}  // namespace generation
