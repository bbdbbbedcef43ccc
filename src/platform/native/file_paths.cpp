#include "platform/native/file_paths.h"

#include <climits>
#include <cstdint>
#include <ctime>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace platform::modFilePaths {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel follows

// The rule the kernel's protected_symlinks applies to opens: in a sticky folder that anyone may
// write, a link is followed only when it is the user's own or the folder owner's.
bool planted(const std::string& link, const struct stat& linkInfo) {
  const std::string folder = folderOf(link);
  struct stat info {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0) return false;
  const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
  return shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != info.st_uid;
}

}  // namespace

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string followLinks(const std::string& path, std::string& refusal) {
  refusal.clear();
  std::string current = path;
  for (int depth = 0; depth < kMaxLinks; ++depth) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    if (planted(current, info)) {
      refusal = current + " is a symbolic link that another user made in a shared folder; it is not followed.";
      return current;
    }
    std::vector<char> text(PATH_MAX + 1);
    const ssize_t length = ::readlink(current.c_str(), text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
      refusal = current + " is a symbolic link that cannot be read.";
      return current;
    }
    const std::string target(text.data(), static_cast<std::size_t>(length));
    current = target.front() == '/' ? target : folderOf(current) + target;
  }
  refusal = path + " is a chain of symbolic links that does not end.";
  return current;
}

std::string randomPart() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[6] = {};
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    std::uint64_t mixed = static_cast<std::uint64_t>(std::time(nullptr)) * 1099511628211ULL ^ ::getpid();
    for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(mixed >>= 7);
  }
  std::string part;
  for (const unsigned char byte : bytes) part += kLetters[byte % (sizeof kLetters - 1)];
  return part;
}


std::string nameHash(const std::string& name) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : name) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kHex[hash & 15];
  return text;
}

std::string temporaryPrefix(const std::string& target) { return ".qg-" + nameHash(fileNameOf(target)) + "-"; }

}  // namespace platform::modFilePaths
