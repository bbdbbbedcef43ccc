#pragma once
// Settings files hold text in one of two forms: one byte per character (Windows-1252, as the
// program's files have always been written and as programs that read them expect) or UTF-8.
// Inside the program text is UTF-8.

#include <string>
#include <string_view>

namespace modTextEncoding {

bool isValidUtf8(std::string_view bytes);
// The text of a file: UTF-8 as it stands when the bytes are valid UTF-8, otherwise read as
// Windows-1252.
std::string fromFileBytes(std::string_view bytes);
// The bytes of a file for a UTF-8 text: Windows-1252 when every character has a byte there (and
// those bytes cannot be taken for UTF-8 when read back), UTF-8 otherwise.
std::string toFileBytes(std::string_view text);

}  // namespace modTextEncoding
