#pragma once
// The built-in default element text: what "Default settings" applies and what every element
// starts from when the program opens.

#include <string>

namespace modDefaults {

std::string defaultElementText();

}  // namespace modDefaults
