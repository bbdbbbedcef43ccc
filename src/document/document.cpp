#include "document/document.h"

#include "materials/palette.h"

namespace document {

clsDocument::clsDocument(platform::clsPlatform& platform)
    : coverage_({project.store, project.pictures, platform.pictures, platform.messages, platform.files, pictureShelf}),
      altitude_({project.store, project.pictures, platform.pictures, platform.messages, platform.files, pictureShelf}) {
  project.store = modStore::newStore();
  // Each editor's load-time values, in the order the editors load; the default text follows.
  modCurveRecords::loadCurves(project.store);
  modWidthProfile::loadShape(project.store, project.widths);
  modSizeRot::loadSizeRot(project.store);
  modPalette::loadPalettes(project.store);
  modMapRecords::loadMaps(project.store, project.pictures);
  modUsage::loadElementList(project.store);
  modSettings::addOwner(registry_, model::Section::ElementList, usage_);
  modSettings::addOwner(registry_, model::Section::Curve, curve_);
  modSettings::addOwner(registry_, model::Section::Shape, shape_);
  modSettings::addOwner(registry_, model::Section::SizeRot, sizeRot_);
  modSettings::addOwner(registry_, model::Section::Colour, material_);
  modSettings::addOwner(registry_, model::Section::Coverage, coverage_);
  modSettings::addOwner(registry_, model::Section::Altitude, altitude_);
  modSettings::addOwner(registry_, model::Section::CreateDialog, create_);
}

}  // namespace document
