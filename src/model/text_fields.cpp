#include "model/text_fields.h"

namespace modText {

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (end < text.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  if (line.empty()) return fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t blank = line.find(' ', start);
    if (blank == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, blank - start));
    start = blank + 1;
  }
}

std::string withLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      result += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    result += kLineBreak;
  }
  return result;
}

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string replaceAll(std::string_view text, std::string_view what, std::string_view with) {
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (;;) {
    const std::size_t found = text.find(what, start);
    if (found == std::string_view::npos) break;
    result.append(text.substr(start, found - start));
    result.append(with);
    start = found + what.size();
  }
  result.append(text.substr(start));
  return result;
}

std::string encodeText(std::string_view text) {
  if (text.empty()) return "<empty>";
  return replaceAll(text, " ", "<sp>");
}

std::string decodeText(std::string_view field) {
  if (field == "<empty>") return {};
  return replaceAll(field, "<sp>", " ");
}

std::string encodeParagraphs(std::string_view text) {
  if (text.empty()) return "<empty>";
  std::string lines = replaceAll(replaceAll(text, modText::kLineBreak, "<p>"), "\n", "<p>");
  return replaceAll(lines, " ", "<sp>");
}

std::string decodeParagraphs(std::string_view field) {
  return replaceAll(replaceAll(replaceAll(field, "<sp>", " "), "<p>", kLineBreak), "<empty>", "");
}

}  // namespace modText
