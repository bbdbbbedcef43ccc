#pragma once
// The number form of every text file the program writes (settings, OBJ, MTL): "." whatever
// the locale, no digit before the point below 1 (".5"), no trailing zeros, at most 7 significant
// digits for singles and 15 for doubles, and exponent form with a signed two-digit exponent
// when the plain form would need more digits than that ("4.153846E-02", "1.234568E+07").

#include <string>
#include <string_view>

namespace modNumber {

// Longest text either formatter produces, for callers that format into their own buffers.
inline constexpr int kMaxNumberChars = 32;

// Write the text of v at out and return the end; out must hold kMaxNumberChars characters.
char* formatSingle(float v, char* out);
char* formatDouble(double v, char* out);
// The same single with a digit before the point below 1 ("0.5", "-0.25"): the form of the OBJ
// and MTL files, because some widely used OBJ and MTL readers do not count ".5" as a number.
char* formatObjSingle(float v, char* out);
// The same text as formatSingle by the slower exact conversion alone; formatSingle must agree.
char* formatSingleExact(float v, char* out);

std::string singleText(float v);
std::string doubleText(double v);
void appendSingle(std::string& text, float v);
void appendDouble(std::string& text, double v);

// Reads the longest leading prefix that forms a number ("." decimal point, optional exponent),
// after leading blanks; no prefix reads as 0. Returns false only when the number is too large
// for a double ("1e999"); value is then left at 0.
bool readNumber(std::string_view text, double& value);

// True when the whole text, blanks around it aside, is one number.
bool isNumber(std::string_view text);

// Numbers for the title lines: whole numbers plainly, one decimal rounded with ties to even,
// always a digit before the point ("0.2").
std::string wholeText(double v);
std::string oneDecimalText(double v);

}  // namespace modNumber
