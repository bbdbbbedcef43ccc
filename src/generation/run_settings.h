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

inline std::string_view objectExtension(ObjectFormat format) { return format == ObjectFormat::Glb ? ".glb" : ".obj"; }

struct clsRunSettings {
  const model::clsStore& store;
  const blade::clsWidthProfile& widths;
  const clsMapPictures& pictures;
  std::string_view note;  // lines joined by CR LF
  std::int32_t diskLimitMB = kMinDiskLimitMB;
  ObjectFormat format = ObjectFormat::Obj;
};

}  // namespace generation
