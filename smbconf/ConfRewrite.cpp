#include "smbconf/ConfRewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/Paths.h"
#include "smbconf/AtomicFile.h"
#include "smbconf/TextView.h"

namespace velmora {
namespace {

// Reads the file at path whole, as bytes. It is opened for reading and
// writing, though only read, so that a file the process may not write is
// refused here, before anything else happens.
bool readWritableFile(const char* path, std::string& content)
{
    const int fd = open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = read(fd, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        content.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    return got == 0;
}

// What must come between the file's content and an appended text that
// starts on a line of its own: one more line feed when the content ends,
// without a line feed, in a line that Samba continues with the next one.
// The text's own first line feed then ends that line, and the extra one
// gives it an empty line to join instead of the text's first line.
std::string_view separatorBefore(const std::string& content)
{
    if (content.empty() || content.back() == '\n')
        return {};
    const size_t start = content.rfind('\n');
    const std::string_view last(content.data() + (start == std::string::npos ? 0 : start + 1),
                                content.size() - (start == std::string::npos ? 0 : start + 1));
    return continuesOnNextLine(last) ? "\n" : "";
}

}  // namespace

int RewriteSmbConf(const std::vector<std::string>& lines, const LineFilter& filter)
{
    AtomicFile file(kSmbConfPath);
    if (!file.Open())
        return -1;
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        out.clear();
        filter(static_cast<int32_t>(i), lines[i], out);
        if (!file.Append(out))
            return -1;
    }
    return file.Commit() ? 0 : -1;
}

int AppendToSmbConf(std::string_view tail)
{
    std::string content;
    if (!readWritableFile(kSmbConfPath, content))
        return -1;
    AtomicFile file(kSmbConfPath);
    const bool done = file.Open() && file.Append(content) && file.Append(separatorBefore(content)) &&
                      file.Append(tail) && file.Commit();
    return done ? 0 : -1;
}

}  // namespace velmora
