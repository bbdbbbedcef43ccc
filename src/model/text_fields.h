#pragma once
// The small text rules of the settings format: line and field splitting, keyword case,
// and the "<sp>", "<empty>" and "<p>" escapes of text fields.

#include <string>
#include <string_view>
#include <vector>

namespace modText {

// The line end of every file the program writes.
inline constexpr char kLineBreak[] = "\r\n";

// Splits at line ends. CR LF is the line end the program writes; a bare LF (a file edited
// elsewhere) ends a line too. A final line break gives no extra empty line.
std::vector<std::string_view> splitLines(std::string_view text);
// Splits at every single blank; two blanks in a row give an empty field. "" gives no field.
std::vector<std::string_view> splitFields(std::string_view line);
// Every line break, whatever its form (CR LF, a lone LF, a lone CR), as CR LF.
std::string withLineBreaks(std::string_view text);
std::string lowerAscii(std::string_view text);
std::string replaceAll(std::string_view text, std::string_view what, std::string_view with);

// Names and paths: blanks as "<sp>", the empty text as "<empty>".
std::string encodeText(std::string_view text);
std::string decodeText(std::string_view field);
// Free texts that may hold line breaks: additionally each line break as "<p>". Reading
// replaces "<sp>", then "<p>", then "<empty>" wherever they stand.
std::string encodeParagraphs(std::string_view text);
std::string decodeParagraphs(std::string_view field);

}  // namespace modText
