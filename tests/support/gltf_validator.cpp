#include "support/gltf_validator.h"

#include <cstdio>
#include <cstdlib>

namespace support {

clsValidation validateGltf(const std::string& path) {
  clsValidation result;
  const std::string command = "NODE_PATH='" QUENMOOR_GLTF_VALIDATOR_MODULES "' '" QUENMOOR_NODE "' '" QUENMOOR_VALIDATE_SCRIPT
                              "' '" + path + "' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) result.report.append(block, got);
  const int status = ::pclose(pipe);
  result.passed = status == 0;
  return result;
}

}  // namespace support
