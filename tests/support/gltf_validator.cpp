#include "support/gltf_validator.h"

#include <cstdio>
#include <cstdlib>

namespace support {

namespace {

// The command's output; passed when it exits with 0.
clsValidation runNode(const std::string& command) {
  clsValidation result;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char block[4096];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) result.report.append(block, got);
  const int status = ::pclose(pipe);
  result.passed = status == 0;
  return result;
}

}  // namespace

clsValidation validateGltf(const std::string& path) {
  return runNode("NODE_PATH='" QUENMOOR_GLTF_VALIDATOR_MODULES "' '" QUENMOOR_NODE "' '" QUENMOOR_VALIDATE_SCRIPT "' '" +
                 path + "' 2>&1");
}

std::string readWithThree(const std::string& path) {
  return runNode("THREE_MODULES='" QUENMOOR_GLTF_VALIDATOR_MODULES "' '" QUENMOOR_NODE "' '" QUENMOOR_THREE_SCRIPT "' '" +
                 path + "' 2>&1")
      .report;
}

}  // namespace support
