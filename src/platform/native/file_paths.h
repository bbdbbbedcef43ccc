#pragma once
// The names of the files a run writes beside its targets, and the links on the way to them.

#include <string>

namespace platform::modFilePaths {

// Up to and including the last "/", or empty; and what follows it.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);

// Follows the symbolic links at path, the same way whether the last one names a file or not, to
// the file that writing there really changes. refusal names a link that may not be followed: one
// another user made in a shared sticky folder (the kernel's protected_symlinks rule), one that
// cannot be read, or a chain that does not end.
std::string followLinks(const std::string& path, std::string& refusal);

// FNV-1a in 16 hex digits: stable from run to run and from program to program.
std::string nameHash(const std::string& name);

// ".qg-" + the hash of target's file name + "-": short beside long names, and the same for every
// run on that name, so that a later run finds its leftovers. New files end ".tmp", replaced ones
// kept aside until their set is complete ".old".
std::string temporaryPrefix(const std::string& target);

// Six letters for a new file's name, from the kernel, which needs no descriptor (a name is
// wanted also when the process is out of them, to say so).
std::string randomPart();

}  // namespace platform::modFilePaths
