#include "smbconf/SambaConfFile.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "common/Log.h"
#include "common/Paths.h"
#include "smbconf/TextView.h"

namespace {

// Owns a descriptor; closes it on every path out (a failed close is ignored,
// as nothing was written through it).
struct Descriptor {
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
};

// Reads fd to its end in one buffer. False on a read error (EISDIR for a
// directory in the file's place included): the caller then keeps nothing.
bool readAll(int fd, std::string& content)
{
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        content.reserve(static_cast<size_t>(st.st_size) + 1);
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        content.append(chunk, static_cast<size_t>(got));
    }
}

// Cuts content at each line feed; text after the last one is a line only
// when not empty. "a\nb" and "a\nb\n" both give {a, b}.
void splitLines(const std::string& content, std::vector<std::string>& lines)
{
    const char* cursor = content.data();
    const char* end = cursor + content.size();
    while (cursor < end) {
        const void* found = std::memchr(cursor, '\n', static_cast<size_t>(end - cursor));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        lines.emplace_back(cursor, static_cast<size_t>(stop - cursor));
        cursor = stop + 1;
    }
}

}  // namespace

int SambaConfFile::Init()
{
    syslog(LOG_INFO, "comimg to SambaConfFile::Init ..............");
    velmora::openVelmoraLog();
    Descriptor file(open(velmora::kSmbConfPath, O_RDONLY | O_CLOEXEC));
    velmora::openVelmoraLogMasked();
    if (file.fd < 0) {
        syslog(LOG_INFO, "conffile is null so returning null");
        return -1;
    }
    std::string content;
    if (!readAll(file.fd, content))
        return -1;
    std::vector<std::string> read;
    splitLines(content, read);
    content = std::string();  // give the buffer back before the model grows
    lines.reserve(lines.size() + read.size());
    for (std::string& line : read)
        lines.push_back(std::move(line));
    lineCount += static_cast<int32_t>(read.size());
    classifyLines();
    return 0;
}

// Comments ('#') and blank lines belong to the open section's range only;
// a '[' line opens a new section; anything else is a parameter line of the
// open section (lines before the first header belong to none).
void SambaConfFile::classifyLines()
{
    SambaSection open;
    bool headerSeen = false;
    const int32_t count = static_cast<int32_t>(lines.size());
    for (int32_t i = 0; i < count; ++i) {
        syslog(LOG_INFO, "Comimg to trim .............");
        const std::string_view text = velmora::trimView(lines[i]);
        if (text.empty() || text.front() == '#')
            continue;
        if (text.front() == '[') {
            if (headerSeen) {
                open.endLine = i - 1;
                sections.push_back(std::move(open));
            }
            // The name drops the first and the last character, whatever it is.
            open = SambaSection(std::string(text.size() > 1 ? text.substr(1, text.size() - 2) : ""));
            open.startLine = i;
            headerSeen = true;
        } else if (headerSeen) {
            open.AddProperty(lines[i]);
        }
    }
    if (headerSeen) {
        open.endLine = count - 1;
        sections.push_back(std::move(open));
    }
}

std::vector<SambaSection> SambaConfFile::GetAllSectionInfo() const
{
    syslog(LOG_INFO, "comimg to SambaConfFile::GetAllSectionInfo ..............");
    return sections;
}

SambaSection SambaConfFile::GetSectionByName(const char* name) const
{
    syslog(LOG_INFO, "comimg to SambaConfFile::GetSectionByName ..............");
    velmora::openVelmoraLogMasked();
    const SambaSection* found = FindSection(name);
    if (found != nullptr) {
        syslog(LOG_INFO, "returning sectionName");
        return *found;
    }
    syslog(LOG_INFO, "returning tempSection");
    return SambaSection();
}

const SambaSection* SambaConfFile::FindSection(const char* name) const
{
    for (const SambaSection& section : sections) {
        if (strcasecmp(section.name.c_str(), name) == 0)
            return &section;
    }
    return nullptr;
}

int SambaConfFile::SectionExists(const char* name) const
{
    syslog(LOG_INFO, "Comimg to SambaConfFile::SectionExists.......... ");
    for (const SambaSection& section : sections) {
        if (section.name == name)
            return 1;
    }
    syslog(LOG_INFO, "section %s does not exists ", name);
    return 0;
}
