#pragma once
// The open document: the project and the settings-record owners bound to it, which every
// editor and both programs share.

#include "blade/curve_records.h"
#include "blade/shape_records.h"
#include "blade/size_rot.h"
#include "document/project.h"
#include "generation/object_path.h"
#include "materials/material_records.h"
#include "model/settings_text.h"
#include "model/usage_records.h"

namespace document {

class clsDocument {
 public:
  // The store as the program opens it: names and use flags set, element 1 active. Pictures
  // named in settings are read through the platform, which must outlive the document.
  explicit clsDocument(platform::clsPlatform& platform);
  clsDocument(const clsDocument&) = delete;
  clsDocument& operator=(const clsDocument&) = delete;

  clsProject project;
  clsSessionValues session;
  // The pictures read, found again when their files are read unchanged.
  generation::clsPictureShelf pictureShelf;
  const model::clsSettingsRegistry& registry() const { return registry_; }

 private:
  model::clsUsageRecords usage_{project.store};
  blade::clsCurveRecords curve_{project.store};
  blade::clsShapeRecords shape_{project.store, project.widths};
  blade::clsSizeRotRecords sizeRot_{project.store};
  materials::clsMaterialRecords material_{project.store};
  generation::clsCoverageRecords coverage_;
  generation::clsAltitudeRecords altitude_;
  clsCreateDialogRecords create_{project.dialog};
  model::clsSettingsRegistry registry_;
};

}  // namespace document

namespace modDocument {

// What a creation run of the document reads.
inline generation::clsRunSettings runSettings(const document::clsDocument& document) {
  const document::clsProject& project = document.project;
  return {project.store,       project.widths,           project.pictures,
          project.dialog.note, document.session.diskLimitMB, document.session.format};
}

// The object path with the chosen format's extension.
inline std::string objectPath(const document::clsDocument& document) {
  return modObjectPath::normalizeObjectPath(document.project.dialog.objectPath,
                                            generation::objectExtension(document.session.format));
}

}  // namespace modDocument
