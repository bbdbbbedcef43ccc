#include "model/default_texts.h"

#include <span>
#include <string_view>

#include "model/store.h"
#include "model/text_fields.h"
#include "model/usage_records.h"

namespace modDefaults {
namespace {

// Each section lists the elements 1 to 11 and is followed by one empty line, but the last.
std::string usageSection() {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    std::string name = modUsage::defaultName(e);
    name.replace(name.find(' '), 1, "<sp>");
    text += "Usage " + std::to_string(e) + (e == 1 ? " 1 " : " 0 ") + name + modText::kLineBreak;
  }
  return text + "Usage_Info 1\r\n";
}

// One line per element: grass elements repeat element 1's values, rocks element 8's.
std::string perElementSection(std::string_view keyword, std::string_view grassValues, std::string_view rockValues) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e)
    text += std::string(keyword) + ' ' + std::to_string(e) + ' ' +
            std::string(model::isRock(e) ? rockValues : grassValues) + modText::kLineBreak;
  return text;
}

// Each element's Shape line followed by one Node_Wi line per node, both sides alike.
std::string shapeSection() {
  static constexpr std::string_view kGrassWidths[] = {"4.153846E-02", "6.307692E-02", "6.307692E-02", "3.846154E-02", "0"};
  static constexpr std::string_view kRockWidths[] = {"7.846154E-02", ".1953846", ".2876923", ".3553846", ".4046154",
                                                     ".4046154",     ".3738461", ".3123077", ".2261539", "9.384616E-02"};
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const std::string index = std::to_string(e);
    const bool rock = model::isRock(e);
    text += "Shape " + index + (rock ? " 1 10 1 30 -10 1 1 0 0 10 10 1\r\n" : " 1 5 1 30 -10 1 1 0 10 5 5 1\r\n");
    int node = 0;
    for (std::string_view w : rock ? std::span<const std::string_view>(kRockWidths) : std::span<const std::string_view>(kGrassWidths))
      text += "Node_Wi " + index + ' ' + std::to_string(++node) + ' ' + std::string(w) + ' ' + std::string(w) + modText::kLineBreak;
  }
  return text;
}

}  // namespace

std::string defaultElementText() {
  return usageSection() + modText::kLineBreak +
         perElementSection("Curve", "10 10 0 3 3 0 0 1 0 .5 1 .2 .8 1 0 0 0", "20 20 0 4 3 -.2 0 1 -.5 .4 .7 .5 .4 .7 .2 0 1") +
         modText::kLineBreak + shapeSection() + modText::kLineBreak +
         perElementSection("Size_Rot", "20 330 60 50 30 30 30 1 1 0", "0 0 0 0 0 0 0 1 1 0") + modText::kLineBreak +
         perElementSection("Alpha", "10 10 1000 <empty> 0 -1", "10 10 100 <empty> 0 -1") + modText::kLineBreak +
         perElementSection("Bump", "10 0 <empty>", "10 0 <empty>");
}

}  // namespace modDefaults
