#pragma once
// The values of the create dialog: the object path, the disk-space limit and the free note,
// with the dialog's settings records "File_Name_Obj", "Application_Name", "Application_Version"
// and the layout's "Seed".

#include <cstdint>
#include <optional>
#include <string>

#include "generation/run_settings.h"
#include "model/settings_text.h"
#include "model/tagged_value.h"

namespace document {

using generation::kMinDiskLimitMB;
using generation::ObjectFormat;

struct clsCreateDialog {
  std::string objectPath;  // normalised as the OBJ file's name; empty when none is set
  std::string note;        // lines joined by CR LF
  // The field's layout, the seed of its random draws: the 3D view shows it and Create writes it.
  // None after a settings text without a "Seed" record, until a fresh one is drawn.
  std::optional<std::uint64_t> layoutSeed;
  bool operator==(const clsCreateDialog&) const = default;
};

// The program's values rather than the design's: kept for the next start, in no settings file,
// and never undone.
struct clsSessionValues {
  ObjectFormat format = ObjectFormat::Obj;
  std::int32_t diskLimitMB = kMinDiskLimitMB;
  bool helpTips = false;
  std::string initialFolder;  // where the first file dialog starts
  std::string chosenFolder;   // folder of the last file chosen in a dialog since the start
};

class clsCreateDialogRecords final : public model::IRecordOwner {
 public:
  explicit clsCreateDialogRecords(clsCreateDialog& dialog) : dialog_(dialog) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  clsCreateDialog& dialog_;
};

}  // namespace document

namespace modCreateDialog {

void setFileName(document::clsCreateDialog& dialog, std::string_view text);
// Clamped to 1..2000 and rounded with ties to even ("2.5" gives 2, "" gives 1).
void setDiskSpace(document::clsSessionValues& values, const model::tValue& value);
// Line breaks of any form (LF, CR, CR LF) become CR LF; zero bytes are dropped.
void setNote(document::clsCreateDialog& dialog, std::string_view text);

}  // namespace modCreateDialog
