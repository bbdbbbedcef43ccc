#pragma once
// The open document: everything the user edits, and the settings-record owners bound to it.

#include "blade/curve_records.h"
#include "blade/shape_records.h"
#include "blade/size_rot.h"
#include "generation/create_dialog.h"
#include "generation/map_records.h"
#include "materials/material_records.h"
#include "model/settings_text.h"
#include "model/store.h"
#include "model/usage_records.h"

namespace generation {

// Plain values: copying a project copies all of it, which is how a failed load is undone.
struct clsProject {
  model::clsStore store;
  blade::clsWidthProfile widths;
  clsMapPictures pictures;
  clsCreateDialog dialog;
};

class clsDocument {
 public:
  // The store as the program opens it: names and use flags set, element 1 active. Pictures
  // named in settings are read through the platform, which must outlive the document.
  explicit clsDocument(platform::clsPlatform& platform);
  clsDocument(const clsDocument&) = delete;
  clsDocument& operator=(const clsDocument&) = delete;

  clsProject project;
  const model::clsSettingsRegistry& registry() const { return registry_; }

 private:
  model::clsUsageRecords usage_{project.store};
  blade::clsCurveRecords curve_{project.store};
  blade::clsShapeRecords shape_{project.store, project.widths};
  blade::clsSizeRotRecords sizeRot_{project.store};
  materials::clsMaterialRecords material_{project.store};
  clsCoverageRecords coverage_;
  clsAltitudeRecords altitude_;
  clsCreateDialogRecords create_{project.dialog};
  model::clsSettingsRegistry registry_;
};

}  // namespace generation
