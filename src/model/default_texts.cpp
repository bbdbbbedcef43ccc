#include "model/default_texts.h"

#include "model/store.h"
#include "model/usage_records.h"

namespace modDefaults {
namespace {

// Each section lists the elements 1 to 11 and is followed by one empty line, but the last.
std::string usageSection() {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    std::string name = modUsage::defaultName(e);
    name.replace(name.find(' '), 1, "<sp>");
    text += "Usage " + std::to_string(e) + (e == 1 ? " 1 " : " 0 ") + name + "\r\n";
  }
  return text + "Usage_Info 1\r\n";
}

}  // namespace

std::string defaultElementText() { return usageSection(); }

}  // namespace modDefaults
