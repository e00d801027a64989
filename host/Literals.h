#ifndef VELMORA_HOST_LITERALS_H
#define VELMORA_HOST_LITERALS_H

#include <string>

// Text forms shared by the value, path and instance printers.
namespace vhost::literals {

// A MOF string literal: the text in double quotes with \" \\ \b \t \n \f \r
// escaped and other control bytes as \xHH. Other bytes pass unchanged.
// Example: say "hi"<TAB>  ->  "say \"hi\"\t"
std::string mofString(const std::string& text);

// A JSON string literal: quotes, backslashes and control bytes escaped.
// Valid UTF-8 passes unchanged; a byte that is not part of valid UTF-8 is
// read as Latin-1 and written as \u00HH, so the output is always valid JSON
// and no byte of the input is lost.
std::string jsonString(const std::string& text);

// The shortest decimal text that reads back as the same double or float;
// "NaN", "Infinity" and "-Infinity" for the special values.
std::string realText(double value, bool single);

// ASCII case-insensitive comparison, as CIM compares names.
bool sameName(const std::string& a, const std::string& b);

}  // namespace vhost::literals

#endif
