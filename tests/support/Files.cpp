#include "tests/support/Files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testfs {
namespace {

[[noreturn]] void abortWith(const std::string& what)
{
    std::perror(what.c_str());
    std::abort();
}

std::string rightsSource(Rights kind)
{
    switch (kind) {
    case Rights::Real: return VELMORA_RIGHTS_PATH;
    case Rights::Fake: return VELMORA_FAKE_RIGHTS_PATH;
    case Rights::NoSymbol: return VELMORA_NOSYM_RIGHTS_PATH;
    }
    return {};
}

}  // namespace

void writeFile(const std::string& path, const std::string& content, mode_t mode)
{
    if (unlink(path.c_str()) != 0)
        rmdir(path.c_str());  // a test may have put a directory there
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out || chmod(path.c_str(), mode) != 0)
        abortWith("writing " + path);
}

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

void installSmbd()
{
    if (access(kSmbd, X_OK) != 0)
        writeFile(kSmbd, "#!/bin/sh\nexit 0\n", 0755);
}

void removeSmbd() { unlink(kSmbd); }

void installRights(Rights kind)
{
    auto bytes = readFile(rightsSource(kind));
    if (!bytes)
        abortWith("reading " + rightsSource(kind));
    writeFile(kRights, *bytes, 0755);
}

void removeRights() { unlink(kRights); }

void setFakeRights(int rc, unsigned bits)
{
    setenv("FAKE_QEL_RC", std::to_string(rc).c_str(), 1);
    setenv("FAKE_QEL_PRIV", std::to_string(bits).c_str(), 1);
}

int countEntries(const std::string& dir, const std::string& prefix)
{
    DIR* d = opendir(dir.c_str());
    if (d == nullptr)
        return -1;
    int count = 0;
    while (dirent* entry = readdir(d))
        count += std::string(entry->d_name).rfind(prefix, 0) == 0 ? 1 : 0;
    closedir(d);
    return count;
}

}  // namespace testfs
