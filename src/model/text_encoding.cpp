#include "model/text_encoding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace modTextEncoding {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes it leaves undefined stand for the C1 controls
// of the same number, as Windows reads them, so that every byte has a character and back.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromByte(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

std::optional<unsigned char> toByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character at bytes[at] and its length in bytes, or nothing where the bytes are no UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::pair<char32_t, std::size_t>> utf8At(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return std::pair{static_cast<char32_t>(lead), std::size_t{1}};
  std::size_t length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07;
  else return std::nullopt;
  if (at + length > bytes.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
    return std::nullopt;
  return std::pair{c, length};
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const auto next = utf8At(bytes, at);
    if (!next) return false;
    at += next->second;
  }
  return true;
}

std::string fromFileBytes(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 4);
  for (const char byte : bytes) appendUtf8(text, fromByte(static_cast<unsigned char>(byte)));
  return text;
}

std::string toFileBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  bool beyondAscii = false;
  for (std::size_t at = 0; at < text.size();) {
    const auto next = utf8At(text, at);
    if (!next) return std::string(text);  // not UTF-8 after all: kept as it is
    const std::optional<unsigned char> byte = toByte(next->first);
    if (!byte) return std::string(text);
    beyondAscii = beyondAscii || *byte >= 0x80;
    bytes += static_cast<char>(*byte);
    at += next->second;
  }
  // One-byte text that also reads as UTF-8 ("Ã©" is the bytes of "é") would open as other
  // letters: such a text is written as UTF-8.
  if (beyondAscii && isValidUtf8(bytes)) return std::string(text);
  return bytes;
}

}  // namespace modTextEncoding
