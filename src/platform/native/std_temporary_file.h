#pragma once
// A new file under a temporary name beside its target, on a POSIX file system.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

// Takes over fd, the temporary file just made at temporaryPath; failures are told in lastError.
std::unique_ptr<ITemporaryFile> makeStdTemporaryFile(int fd, std::string temporaryPath, std::string target,
                                                     std::string& lastError);

}  // namespace platform
