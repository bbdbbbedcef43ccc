#include "generation/json_text.h"

#include <charconv>

namespace generation {

void clsJsonText::member(std::string_view key) {
  if (!empty_.empty()) {
    if (!empty_.back()) text_ += ',';
    empty_.back() = false;
  }
  if (!key.empty()) {
    text_ += modGlbFile::jsonString(key);
    text_ += ':';
  }
}

clsJsonText& clsJsonText::beginObject(std::string_view key) {
  member(key);
  text_ += '{';
  empty_.push_back(true);
  return *this;
}

clsJsonText& clsJsonText::endObject() {
  text_ += '}';
  empty_.pop_back();
  return *this;
}

clsJsonText& clsJsonText::beginArray(std::string_view key) {
  member(key);
  text_ += '[';
  empty_.push_back(true);
  return *this;
}

clsJsonText& clsJsonText::endArray() {
  text_ += ']';
  empty_.pop_back();
  return *this;
}

clsJsonText& clsJsonText::integer(std::string_view key, std::int64_t value) {
  member(key);
  char digits[24];
  text_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  return *this;
}

clsJsonText& clsJsonText::single(std::string_view key, float value) {
  member(key);
  modGlbFile::appendSingle(text_, value);
  return *this;
}

clsJsonText& clsJsonText::singles(std::string_view key, const float* values, int count) {
  beginArray(key);
  for (int i = 0; i < count; ++i) single({}, values[i]);
  return endArray();
}

clsJsonText& clsJsonText::string(std::string_view key, std::string_view text) {
  member(key);
  text_ += modGlbFile::jsonString(text);
  return *this;
}

clsJsonText& clsJsonText::flag(std::string_view key, bool value) {
  member(key);
  text_ += value ? "true" : "false";
  return *this;
}

}  // namespace generation

namespace modGlbFile {

void appendSingle(std::string& out, float value) {
  char text[32];
  out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '"' || c == '\\') out += '\\', out += static_cast<char>(c);
      else if (c < 0x20) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 15];
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // A whole UTF-8 sequence is kept; any other byte is read as Latin-1.
    const std::size_t length = c >= 0xF5 ? 0 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out + "\"";
}

}  // namespace modGlbFile
