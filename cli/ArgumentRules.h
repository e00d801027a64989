#ifndef VELMORA_CLI_ARGUMENTRULES_H
#define VELMORA_CLI_ARGUMENTRULES_H

#include <string>

// The words for the library's result -4 ("invalid argument"): which of its
// rules the texts of an edit break (see shares/ArgumentCheck.h), followed by
// the rules themselves. Each function answers with the text that follows
// "invalid argument: ", e.g. "the share name is empty (no text may hold a
// line break, and the share name must not be empty)".
namespace velmora::cli {

// text without the bytes 0x01 to 0x20 at either end, as the library trims
// a key and a value before it writes them.
std::string trimmed(const std::string& text);

std::string invalidNameReason(const std::string& name);
std::string invalidCreateReason(const std::string& name, const std::string& path, const std::string& comment);
std::string invalidKeyReason(const std::string& name, const std::string& key);
std::string invalidSetReason(const std::string& name, const std::string& key, const std::string& value);

}  // namespace velmora::cli

#endif
