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

model::IRecordOwner* ownerOf(const model::clsSettingsRegistry& registry, Section section) {
  return registry.owners[static_cast<std::size_t>(section)];
}

bool isKeyword(std::string_view word) {
  const std::string lower = modText::lowerAscii(word);
  for (std::string_view keyword : kRecordKeywords)
    if (lower == keyword) return true;
  return lower == kNoteMarker;
}

// Everything after the marker and its blank, when the line is a marked note line.
bool markedNoteLine(std::string_view line, std::string_view& rest) {
  if (line.size() < kNoteMarker.size() || modText::lowerAscii(line.substr(0, kNoteMarker.size())) != kNoteMarker)
    return false;
  rest = line.substr(kNoteMarker.size());
  if (!rest.empty() && rest.front() != ' ') return false;
  if (!rest.empty()) rest.remove_prefix(1);
  return true;
}

}  // namespace

std::string noteLines(std::string_view anyNote) {
  // A note typed or given elsewhere may break its lines with LF or CR alone; each of its lines
  // takes the marker rule, and the text holds CR LF only.
  const std::string normalised = modText::withLineBreaks(anyNote);
  const std::string_view note = normalised;
  std::string text;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = note.find(modText::kLineBreak, start);
    const std::string_view line = note.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    const model::tFields fields = modText::splitFields(line);
    // A byte-order mark at the start of a line is taken away on reading: the word after it counts.
    if (fields.size() < 2 || isKeyword(fields[0]) || line.starts_with(kByteOrderMark)) {
      text += kNoteMarker;
      text += ' ';
    }
    text += line;
    if (end == std::string_view::npos) return text;
    text += modText::kLineBreak;
    start = end + std::string_view(modText::kLineBreak).size();
  }
}

void addOwner(model::clsSettingsRegistry& registry, Section section, model::IRecordOwner& owner) {
  registry.owners[static_cast<std::size_t>(section)] = &owner;
}

std::string buildSettingsText(const model::clsSettingsRegistry& registry, std::string_view note) {
  std::string text;
  if (!note.empty()) {
    text += noteLines(note);
    text += modText::kLineBreak;
    text += modText::kLineBreak;
  }
  for (const model::IRecordOwner* owner : registry.owners) {
    if (owner == nullptr) continue;
    text += owner->toTextSettings();
    text += modText::kLineBreak;
  }
  return text;
}

namespace {

bool startsWithNumber(std::string_view field) {
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  if (!field.empty() && field.front() == '.') field.remove_prefix(1);
  return !field.empty() && field.front() >= '0' && field.front() <= '9';
}

}  // namespace

bool holdsRecord(std::string_view text) {
  for (std::string_view line : modText::splitLines(text)) {
    std::string_view rest;
    if (markedNoteLine(line, rest)) continue;
    const model::tFields fields = modText::splitFields(line);
    if (fields.size() < 2 || !isKeyword(fields[0])) continue;
    // Prose that happens to start with a keyword ("Seed of the field ...") is no record: every
    // record but the three texts of the create dialog starts with a number.
    const std::string keyword = modText::lowerAscii(fields[0]);
    if (keyword == "file_name_obj" || keyword == "application_name" || keyword == "application_version" ||
        startsWithNumber(fields[1]))
      return true;
  }
  return false;
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
    std::string_view noteLine;
    const bool marked = markedNoteLine(lines[i], noteLine);
    const model::tFields fields = modText::splitFields(lines[i]);
    if (fields.empty()) continue;
    if (marked) {
      if (anyUnrecognised) unrecognised += modText::kLineBreak;
      anyUnrecognised = true;
      unrecognised += modText::withLineBreaks(noteLine);
      continue;
    }
    const std::string keyword = modText::lowerAscii(fields[0]);
    bool recognised = false;
    for (Section section : kApplyOrder) {
      model::IRecordOwner* owner = ownerOf(registry, section);
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
      // A lone CR inside the line breaks the note's line, as it would in the OBJ header.
      unrecognised += modText::withLineBreaks(lines[i]);
      if (fields.size() == 1) unrecognised += ' ';
    }
  }
  for (Section section : kApplyOrder)
    if (model::IRecordOwner* owner = ownerOf(registry, section)) owner->formChange();
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
