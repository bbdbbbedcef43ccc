#include "model/usage_records.h"

#include "model/number_format.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace modUsage {

using model::clsStore;

std::string defaultName(int element) {
  return model::isRock(element) ? "rock " + std::to_string(element - model::kFirstRock + 1) : "grass " + std::to_string(element);
}

void loadElementList(clsStore& store) {
  for (int e = 1; e <= model::kElementCount; ++e) {
    modStore::writeElementSlot(store, e, model::slot::kUse, std::int16_t{0});
    modStore::writeElementSlot(store, e, model::slot::kName, defaultName(e));
  }
  modStore::writeElementSlot(store, 1, model::slot::kUse, std::int16_t{1});
  store.grassLength = 1;
}

void setUse(clsStore& store, int element, const model::tValue& value) {
  const auto use = modGeneral::toClampedInteger(value, 0, 1);
  modStore::writeElementSlot(store, element, model::slot::kUse, use);
}

void setName(clsStore& store, int element, std::string_view text) {
  modStore::writeElementSlot(store, element, model::slot::kName, modText::replaceAll(text, "<sp>", " "));
}

void setLength(clsStore& store, const model::tValue& value) {
  store.grassLength = static_cast<float>(modGeneral::atLeast(modGeneral::toSingle(value), 0.0000001f));
}

bool inUse(const clsStore& store, int element) {
  return modGeneral::toInteger(modStore::readElementSlot(store, element, model::slot::kUse)) == 1;
}

std::string name(const clsStore& store, int element) {
  return modGeneral::toText(modStore::readElementSlot(store, element, model::slot::kName));
}

}  // namespace modUsage

namespace model {

std::string clsUsageRecords::toTextSettings() const {
  std::string text;
  for (int e = 1; e <= kElementCount; ++e) {
    const std::string name = modUsage::name(store_, e);
    text += "Usage " + std::to_string(e) + ' ' +
            std::to_string(modGeneral::toInteger(modStore::readElementSlot(store_, e, slot::kUse))) + ' ' +
            (name.empty() ? "grass<sp>" + std::to_string(e) : modText::encodeText(name));
    text += modText::kLineBreak;
  }
  text += "Usage_Info " + modNumber::singleText(store_.grassLength);
  text += modText::kLineBreak;
  return text;
}

RecordStatus clsUsageRecords::fromTextSettings(std::string_view keyword, const tFields& fields) {
  if (keyword == "usage") {
    double element = 0;
    double use = 0;
    std::string name;
    if (!modSettings::numberField(fields, 1, element) || !modSettings::numberField(fields, 2, use) ||
        !modSettings::textField(fields, 3, name))
      return RecordStatus::Failed;
    const int e = modStore::clampElement(element);
    modUsage::setUse(store_, e, use);
    modUsage::setName(store_, e, name);
    return RecordStatus::Applied;
  }
  if (keyword == "usage_info") {
    double length = 0;
    if (!modSettings::numberField(fields, 1, length)) return RecordStatus::Failed;
    modUsage::setLength(store_, length);
    return RecordStatus::Applied;
  }
  return RecordStatus::NotMine;
}

}  // namespace model
