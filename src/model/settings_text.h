#pragma once
// The settings text: one record per line, built from every record owner in a fixed order and
// applied back line by line. Owners plug in through IRecordOwner; the parser knows none of them.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace model {

using tFields = std::vector<std::string_view>;  // element 0 is the keyword as written

enum class RecordStatus { NotMine, Applied, Failed };

// An editor's part of the settings text.
class IRecordOwner {
 public:
  virtual ~IRecordOwner() = default;
  // The owner's records for all elements, each line ended by a line break.
  virtual std::string toTextSettings() const = 0;
  // keyword is lower-cased. Failed means a field is missing or cannot be used.
  virtual RecordStatus fromTextSettings(std::string_view keyword, const tFields& fields) = 0;
  // Refresh whatever shows the owner's values, after a whole text was applied.
  virtual void formChange() {}
};

// The owners by section; the enumeration order is the order in which the text is written.
enum class Section { ElementList, Curve, Shape, SizeRot, Colour, Coverage, Altitude, CreateDialog, Count };

struct clsSettingsRegistry {
  std::array<IRecordOwner*, static_cast<std::size_t>(Section::Count)> owners{};
};

}  // namespace model

namespace modSettings {

void addOwner(model::clsSettingsRegistry& registry, model::Section section, model::IRecordOwner& owner);

// Every record keyword the program writes or reads, lower-cased.
inline constexpr std::array<std::string_view, 13> kRecordKeywords = {
    "usage", "usage_info", "curve", "shape", "node_wi", "size_rot", "material", "alpha", "bump",
    "file_name_obj", "application_name", "application_version", "seed"};

// A note line that would not read back as itself (its first word a record keyword, a line of one
// word or none) is written behind this marker and a blank; the reader removes both.
inline constexpr std::string_view kNoteMarker = "<note>";

// Opening takes it away at the start of every line (editors put one at the start of a file).
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The note as written at the top of the text: lines joined by CR LF, marked where needed.
std::string noteLines(std::string_view note);

// The note, one empty line, then every owner's records with one empty line after each section.
std::string buildSettingsText(const model::clsSettingsRegistry& registry, std::string_view note);

// Offers every line to every owner. Unrecognised lines become the new note. On a line that an
// owner cannot apply the error message is shown and false returned: the lines before it stay
// applied and the note is left alone (callers that must not keep half a text roll back).
bool applySettingsText(const model::clsSettingsRegistry& registry, std::string_view text,
                       platform::IMessageBox& messages, std::string& note);

// True when some line reads as a record: a record keyword, then a number (or, for the create
// dialog's texts, any field). Marked note lines and prose that starts with a keyword are none.
bool holdsRecord(std::string_view text);

std::string settingsErrorMessage(std::size_t line, std::string_view keyword);

// Field i as a number by the leading-prefix rule; false when it is missing or too large to use.
bool numberField(const model::tFields& fields, std::size_t i, double& value);
// Fields first .. first + values.size() - 1 as numbers; false when any is missing or unusable.
bool numberFields(const model::tFields& fields, std::size_t first, std::span<double> values);
// Field i as a decoded text ("<sp>", "<empty>"); false when it is missing.
bool textField(const model::tFields& fields, std::size_t i, std::string& value);

}  // namespace modSettings
