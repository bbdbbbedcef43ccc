#pragma once
// How the editors' text boxes show a stored value: rounded to a number of decimals, with a
// digit before the point and without trailing zeros ("0.0000001", "2.5", "10").

#include <string>

namespace modValueText {

std::string roundedText(double value, int decimals);

}  // namespace modValueText
