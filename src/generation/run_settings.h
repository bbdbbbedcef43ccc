#pragma once
// What a creation run reads of the open document: the design to generate, and the object file's
// note, disk-space limit and format. The run holds references: the document outlives it.

#include <cstdint>
#include <string>
#include <string_view>

#include "blade/width_profile.h"
#include "generation/map_pictures.h"
#include "model/store.h"

namespace generation {

inline constexpr std::string_view kApplicationVersion = "7";
inline constexpr std::int32_t kMinDiskLimitMB = 1;
inline constexpr std::int32_t kMaxDiskLimitMB = 2000;

// The object file's format: the OBJ with its MTL file, or one binary glTF file.
enum class ObjectFormat { Obj, Glb };

// Each format's names and the files its run writes, one row per format, in the order of the
// enumeration and of the create page's choices.
struct clsObjectFormat {
  ObjectFormat format;
  std::string_view name;       // the tool's --format and the per-user store's value
  std::string_view extension;  // the object file's
  std::string_view choice;     // the create page's words for it
  std::string_view filter;     // the save dialog's file type
  bool materialFile;           // an MTL file beside the object file
};

inline constexpr clsObjectFormat kObjectFormats[] = {
    {ObjectFormat::Obj, "obj", ".obj", "OBJ + MTL", "OBJ files (*.obj)", true},
    {ObjectFormat::Glb, "glb", ".glb", "glTF binary (.glb)", "glTF binary files (*.glb)", false},
};

constexpr const clsObjectFormat& objectFormat(ObjectFormat format) {
  return kObjectFormats[static_cast<std::size_t>(format)];
}

inline std::string_view objectExtension(ObjectFormat format) { return objectFormat(format).extension; }

// The format called name, or null.
inline const clsObjectFormat* formatNamed(std::string_view name) {
  for (const clsObjectFormat& format : kObjectFormats)
    if (format.name == name) return &format;
  return nullptr;
}

// The format whose extension ends path, in any letter case, or null.
inline const clsObjectFormat* formatOfPath(std::string_view path) {
  for (const clsObjectFormat& format : kObjectFormats) {
    const std::string_view extension = format.extension;
    if (path.size() < extension.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < extension.size(); ++i) {
      char c = path[path.size() - extension.size() + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == extension[i];
    }
    if (same) return &format;
  }
  return nullptr;
}

struct clsRunSettings {
  const model::clsStore& store;
  const blade::clsWidthProfile& widths;
  const clsMapPictures& pictures;
  std::string_view note;  // lines joined by CR LF
  std::int32_t diskLimitMB = kMinDiskLimitMB;
  ObjectFormat format = ObjectFormat::Obj;
};

}  // namespace generation
