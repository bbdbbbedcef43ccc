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

// One line per element: grass elements repeat element 1's values, rocks element 8's.
std::string perElementSection(std::string_view keyword, std::string_view grassValues, std::string_view rockValues) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e)
    text += std::string(keyword) + ' ' + std::to_string(e) + ' ' +
            std::string(model::isRock(e) ? rockValues : grassValues) + "\r\n";
  return text;
}

}  // namespace

std::string defaultElementText() {
  return usageSection() + "\r\n" + perElementSection("Size_Rot", "20 330 60 50 30 30 30 1 1 0", "0 0 0 0 0 0 0 1 1 0");
}

}  // namespace modDefaults
