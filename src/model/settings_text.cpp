#include "model/settings_text.h"

#include "model/number_format.h"
#include "model/text_fields.h"

namespace modSettings {

using model::RecordStatus;
using model::Section;

namespace {

// Lines are offered in this order; the element list and the create dialog come last.
constexpr std::array kApplyOrder = {Section::Curve,    Section::Shape,       Section::SizeRot,
                                    Section::Colour,   Section::Coverage,    Section::Altitude,
                                    Section::ElementList, Section::CreateDialog};

model::RecordOwner* ownerOf(const model::clsSettingsRegistry& registry, Section section) {
  return registry.owners[static_cast<std::size_t>(section)];
}

}  // namespace

void addOwner(model::clsSettingsRegistry& registry, Section section, model::RecordOwner& owner) {
  registry.owners[static_cast<std::size_t>(section)] = &owner;
}

std::string buildSettingsText(const model::clsSettingsRegistry& registry, std::string_view note) {
  std::string text;
  if (!note.empty()) {
    text += note;
    text += modText::kLineBreak;
    text += modText::kLineBreak;
  }
  for (const model::RecordOwner* owner : registry.owners) {
    if (owner == nullptr) continue;
    text += owner->toTextSettings();
    text += modText::kLineBreak;
  }
  return text;
}

std::string settingsErrorMessage(std::size_t line, std::string_view keyword) {
  return "An error occurred in the settings file:\n\nLine " + std::to_string(line) + " at \"" +
         std::string(keyword) + "\".";
}

bool applySettingsText(const model::clsSettingsRegistry& registry, std::string_view text,
                       platform::IMessageBox& messages, std::string& note) {
  std::string unrecognised;
  bool anyUnrecognised = false;
  const auto lines = modText::splitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const model::tFields fields = modText::splitFields(lines[i]);
    if (fields.empty()) continue;
    const std::string keyword = modText::lowerAscii(fields[0]);
    bool recognised = false;
    for (Section section : kApplyOrder) {
      model::RecordOwner* owner = ownerOf(registry, section);
      if (owner == nullptr) continue;
      const RecordStatus status = owner->fromTextSettings(keyword, fields);
      if (status == RecordStatus::Failed) {
        messages.showMessage(settingsErrorMessage(i + 1, keyword));
        return false;
      }
      recognised = recognised || status == RecordStatus::Applied;
    }
    if (!recognised) {
      if (anyUnrecognised) unrecognised += modText::kLineBreak;
      anyUnrecognised = true;
      // Rebuilt as first field, blank, the rest joined by blanks: one word gains a blank.
      unrecognised += lines[i];
      if (fields.size() == 1) unrecognised += ' ';
    }
  }
  for (Section section : kApplyOrder)
    if (model::RecordOwner* owner = ownerOf(registry, section)) owner->formChange();
  note = std::move(unrecognised);
  return true;
}

bool numberField(const model::tFields& fields, std::size_t i, double& value) {
  if (i >= fields.size()) return false;
  return modNumber::readNumber(fields[i], value);
}

bool numberFields(const model::tFields& fields, std::size_t first, std::span<double> values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    if (!numberField(fields, first + i, values[i])) return false;
  return true;
}

bool textField(const model::tFields& fields, std::size_t i, std::string& value) {
  if (i >= fields.size()) return false;
  value = modText::decodeText(fields[i]);
  return true;
}

}  // namespace modSettings
