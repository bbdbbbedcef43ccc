#pragma once
// The Khronos glTF Validator and three.js, run with Node from the folder the test fixture
// installed them into.

#include <string>

namespace support {

struct clsValidation {
  bool passed = false;  // 0 errors and 0 warnings
  std::string report;   // the validator's lines
};

clsValidation validateGltf(const std::string& path);

// What three.js's GLTFLoader builds of the file, as read_with_three.mjs prints it (one JSON
// line), or its error.
std::string readWithThree(const std::string& path);

}  // namespace support
