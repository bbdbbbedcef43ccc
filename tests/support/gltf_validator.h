#pragma once
// The Khronos glTF Validator, run with Node from the folder the test fixture installed it into.

#include <string>

namespace support {

struct clsValidation {
  bool passed = false;  // 0 errors and 0 warnings
  std::string report;   // the validator's lines
};

clsValidation validateGltf(const std::string& path);

}  // namespace support
