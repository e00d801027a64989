#ifndef VELMORA_CLI_JSON_H
#define VELMORA_CLI_JSON_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The few JSON texts the tool writes, built as strings: a string literal, an
// array of strings, and an object whose members keep the order they were
// added in (so that every answer has one stable order).
namespace velmora::cli::json {

// A JSON string literal; any byte sequence gives valid JSON (see
// vhost::literals::jsonString).
std::string string(const std::string& text);
// A string literal, or null.
std::string string(const std::optional<std::string>& text);
// ["a","b"], or [] for none.
std::string strings(const std::vector<std::string>& items);
std::string boolean(bool value);
std::string boolean(const std::optional<bool>& value);  // null when unset

class Object {
public:
    // Adds the member name with value, a JSON text already.
    Object& add(const std::string& name, std::string value);
    // {"name":value,...} on one line.
    std::string text() const;

private:
    std::vector<std::pair<std::string, std::string>> members_;
};

}  // namespace velmora::cli::json

#endif
