#pragma once
// JSON text built a member at a time: the builder places the commas and the quotes itself, so
// that a writer only says what goes where. Numbers of singles print as the shortest text that
// reads back as the same single.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace generation {

class clsJsonText {
 public:
  // An object or an array: named inside an object, unnamed (key empty) inside an array or at
  // the top.
  clsJsonText& beginObject(std::string_view key = {});
  clsJsonText& endObject();
  clsJsonText& beginArray(std::string_view key = {});
  clsJsonText& endArray();
  clsJsonText& integer(std::string_view key, std::int64_t value);
  clsJsonText& single(std::string_view key, float value);
  clsJsonText& singles(std::string_view key, const float* values, int count);
  clsJsonText& string(std::string_view key, std::string_view text);
  clsJsonText& flag(std::string_view key, bool value);

  const std::string& text() const { return text_; }
  std::string take() { return std::move(text_); }

 private:
  // The comma before a second member, then the key.
  void member(std::string_view key);

  std::string text_;
  std::vector<bool> empty_;  // per open object or array: nothing in it yet
};

}  // namespace generation

namespace modGlbFile {

// The JSON text of a string: quoted, escaped, and bytes that are no UTF-8 read as Latin-1.
std::string jsonString(std::string_view text);
// The shortest text that reads back as exactly this single, so that a reader's min and max
// match the data to the bit.
void appendSingle(std::string& out, float value);

}  // namespace modGlbFile
