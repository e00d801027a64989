#ifndef VELMORA_FUZZ_EDITCASE_H
#define VELMORA_FUZZ_EDITCASE_H

#include <array>
#include <optional>
#include <string>
#include <string_view>

// One input of the edit fuzz target: a command line, then the content of
// smb.conf after its first line feed:
//
//     create|data|@dir|Team data          modify|data|read only|yes
//     [global]                            [data]
//        workgroup = OFFICE                  path = /srv/data
//
// Fields are split at "|": the operation (create, modify, delete, remove;
// another word picks one by its first byte) and up to three arguments (missing ones
// are empty). In an argument "\n" and "\r" stand for a line feed and a
// carriage return, "\\" for a backslash, and "\0" alone for a null pointer;
// a real NUL byte ends the argument, as it ends a C string. A create's path
// "@dir", "@link", "@file" or "@missing" names a prepared directory, a
// symbolic link to it, a regular file or nothing (fuzz/FuzzEnvironment.h);
// text after the token is kept ("@link/").
namespace fuzzcheck {

using Argument = std::optional<std::string>;  // nullopt: a null pointer

// Remove: CLIRemoveKeyValuePair (name, key).
enum class Operation { Create, Modify, Delete, Remove };

struct EditCase {
    Operation operation = Operation::Create;
    std::array<Argument, 3> args;  // name; path or key; comment or value
    std::string content;
};

// Never fails: every input is some case.
EditCase ParseEditCase(std::string_view input);

}  // namespace fuzzcheck

#endif
