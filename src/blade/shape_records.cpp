#include "blade/shape_records.h"

#include <array>

#include "model/number_format.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace blade {

using namespace modWidthProfile;

std::string clsShapeRecords::toTextSettings() const {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    text += "Shape " + std::to_string(e);
    for (int s = model::slot::kSymmetric; s <= model::slot::kActiveSide; ++s) {
      text += ' ';
      const model::tValue& value = modStore::readElementSlot(store_, e, s);
      if (s == model::slot::kCompoundAngle)
        modNumber::appendSingle(text, modGeneral::toSingle(value));
      else
        text += std::to_string(modGeneral::toInteger(value));
    }
    text += modText::kLineBreak;
    const clsElementWidths& element = widths_.elements[static_cast<std::size_t>(e - 1)];
    for (int j = 1; j <= nodeCount(store_, e); ++j) {
      text += "Node_Wi " + std::to_string(e) + ' ' + std::to_string(j);
      for (const tWidthTable& side : element.side) {
        text += ' ';
        modNumber::appendSingle(text, side[static_cast<std::size_t>(j - 1)]);
      }
      text += modText::kLineBreak;
    }
  }
  return text;
}

model::RecordStatus clsShapeRecords::fromTextSettings(std::string_view keyword, const model::tFields& fields) {
  if (keyword == "shape") return applyShape(fields);
  if (keyword == "node_wi") return applyNodeWidths(fields);
  return model::RecordStatus::NotMine;
}

model::RecordStatus clsShapeRecords::applyShape(const model::tFields& fields) {
  std::array<double, 13> values{};
  if (!modSettings::numberFields(fields, 1, values)) return model::RecordStatus::Failed;
  modStore::setActiveElement(store_, modStore::clampElement(values[0]));
  // Joint and split are first brought into order against the node count as read.
  const double nodes = values[2];
  const double joint = values[6] > nodes ? nodes : values[6];
  const double split = modGeneral::clampValue(values[7], joint, nodes);
  setSymmetric(store_, values[1], false);
  setNodeCount(store_, nodes, false);
  setCompoundCount(store_, values[3], false);
  setCompoundAngle(store_, values[4], false);
  setCompoundSize(store_, values[5], false);
  setJointNode(store_, joint, false);
  setSplitNode(store_, split, false);
  setSectionChange(store_, values[8], false);
  setWidthVariation(store_, values[9], false);
  setSecondColourNode(store_, values[10], false);
  setActiveNode(store_, values[11], false);
  setActiveSide(store_, values[12], false);
  return model::RecordStatus::Applied;
}

model::RecordStatus clsShapeRecords::applyNodeWidths(const model::tFields& fields) {
  std::array<double, 4> values{};
  if (!modSettings::numberFields(fields, 1, values)) return model::RecordStatus::Failed;
  modStore::setActiveElement(store_, modStore::clampElement(values[0]));
  const auto node = modGeneral::toClampedInteger(values[1], 1, kMaxNodes);
  // Widths pass as singles; a record never mirrors one side onto the other.
  setNodeWidths(store_, widths_, node, modGeneral::singleOf(values[2]), modGeneral::singleOf(values[3]));
  return model::RecordStatus::Applied;
}

}  // namespace blade
