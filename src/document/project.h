#pragma once
// The project: everything the user edits, as plain values; what a creation run reads.

#include "blade/width_profile.h"
#include "document/create_dialog.h"
#include "generation/map_records.h"
#include "generation/run_settings.h"
#include "model/store.h"

namespace document {

// Plain values: copying a project copies all of it, which is how a failed load is undone.
struct clsProject {
  model::clsStore store;
  blade::clsWidthProfile widths;
  generation::clsMapPictures pictures;
  clsCreateDialog dialog;
  bool operator==(const clsProject&) const = default;
};

}  // namespace document
