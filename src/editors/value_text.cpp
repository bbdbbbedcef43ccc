#include "editors/value_text.h"

#include <charconv>
#include <cmath>

namespace modValueText {

std::string roundedText(double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

}  // namespace modValueText
