#include "smbconf/SambaConfFile.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/Log.h"
#include "common/Paths.h"
#include "smbconf/ConfRead.h"
#include "smbconf/TextView.h"

// The parse is the cost of every request, and a file server may define
// thousands of shares. The file is read once, straight into one buffer, and
// cut and classified in one pass over those bytes; then each line is copied
// once into lines, allocated once at its final size; the buffer is given
// back; and each parameter line is copied once more, into a list allocated
// once for its section. A parse for readers skips lines and copies the
// parameter lines straight from the buffer. Copying every line in one tight run, and every
// section's lines in another, keeps each kind of block together in the heap,
// which makes both the copies and their release markedly cheaper than
// building the lines and the sections turn by turn.
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

// The bytes of a file: the first size bytes of a buffer of capacity bytes.
// The buffer is not cleared first: read() fills what counts.
struct Content {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    size_t capacity = 0;

    void grow(size_t newCapacity)
    {
        std::unique_ptr<char[]> larger(new char[newCapacity]);
        if (size > 0)
            std::memcpy(larger.get(), bytes.get(), size);
        bytes = std::move(larger);
        capacity = newCapacity;
    }
};

// Reads fd to its end. The buffer is sized by fstat with one byte to spare,
// so that a regular file is read without growing it and the end is seen at
// once; a file that grows meanwhile is still read whole. False on a read
// error (EISDIR for a directory in the file's place included): the caller
// then keeps nothing.
bool readAll(int fd, Content& content)
{
    struct stat st {};
    const bool sized = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
    content.grow(sized ? static_cast<size_t>(st.st_size) + 1 : 65536);
    for (;;) {
        if (content.size == content.capacity)
            content.grow(content.capacity * 2);
        const ssize_t got = read(fd, content.bytes.get() + content.size, content.capacity - content.size);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        content.size += static_cast<size_t>(got);
    }
}

// Where the sections lie, noted while the lines are cut: the index of every
// header line and of every parameter line after the first header, and for
// each header where its parameters begin in that list.
struct Layout {
    std::vector<int32_t> headers;
    std::vector<size_t> firstParameter;  // one per header, into parameters
    std::vector<int32_t> parameters;
};

// Comments ('#') and blank lines belong to the open section's range only;
// a '[' line opens a new section; anything else is a parameter line of the
// open section (lines before the first header belong to none). lead is
// the line's first byte that is not blank.
void classify(char lead, int32_t index, Layout& layout)
{
    if (lead == '#')
        return;
    if (lead != '[') {
        if (!layout.headers.empty())
            layout.parameters.push_back(index);
        return;
    }
    layout.headers.push_back(index);
    layout.firstParameter.push_back(layout.parameters.size());
}

// Cuts content at each line feed, noting where each line ends, and
// classifies each line for the raw model when a layout is given; text after the last line feed is a line only when
// not empty. "a\nb" and "a\nb\n" both give {a, b}. The first line gets
// the index first. One look at each line's ends serves both the raw model
// and shaping, which lists the lines Samba's reading must see: Samba's
// blanks are among the bytes trimmed here, so every line for which
// MayShapeSections holds is listed (and a few more, which the reading
// looks at and passes over).
void noteLines(const Content& content, int32_t first, std::vector<size_t>& lineEnds, Layout* layout,
               std::vector<int32_t>& shaping)
{
    const char* begin = content.bytes.get();
    const char* cursor = begin;
    const char* end = begin + content.size;
    // Lines of smb.conf run to some twenty bytes: one allocation, as a rule.
    lineEnds.reserve(content.size / 16 + 16);
    while (cursor < end) {
        const void* found = std::memchr(cursor, '\n', static_cast<size_t>(end - cursor));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        if (layout != nullptr)
            velmora::trace("Comimg to trim .............");
        const char* lead = cursor;
        while (lead < stop && velmora::isBlank(*lead))
            ++lead;
        if (lead < stop) {
            const auto index = static_cast<int32_t>(lineEnds.size());
            if (layout != nullptr)
                classify(*lead, first + index, *layout);
            const char* back = stop - 1;
            while (velmora::isBlank(*back))
                --back;
            if (*lead == '[' || *back == '\\')
                shaping.push_back(index);
        }
        lineEnds.push_back(static_cast<size_t>(stop - begin));
        cursor = stop + 1;
    }
}

// Appends a copy of every line noted.
void copyLines(const Content& content, const std::vector<size_t>& lineEnds, std::vector<std::string>& lines)
{
    lines.reserve(lines.size() + lineEnds.size());
    size_t start = 0;
    for (const size_t stop : lineEnds) {
        lines.emplace_back(content.bytes.get() + start, stop - start);
        start = stop + 1;
    }
}

// Appends the sections the layout notes, lineAt(i) giving the text of line
// i and last the index of the last line. A name drops the first and the last
// character of the trimmed header, whatever they are; a range ends at the
// line before the next header, or at the last line.
template <typename LineAt>
void buildSections(const LineAt& lineAt, int32_t last, const Layout& layout, std::vector<SambaSection>& sections)
{
    sections.reserve(sections.size() + layout.headers.size());
    for (size_t h = 0; h < layout.headers.size(); ++h) {
        const int32_t header = layout.headers[h];
        const std::string_view text = velmora::trimView(lineAt(header));
        SambaSection& section = sections.emplace_back(
            std::string(text.size() > 1 ? text.substr(1, text.size() - 2) : std::string_view()));
        const bool lastSection = h + 1 == layout.headers.size();
        section.startLine = header;
        section.endLine = lastSection ? last : layout.headers[h + 1] - 1;
        const size_t first = layout.firstParameter[h];
        const size_t end = lastSection ? layout.parameters.size() : layout.firstParameter[h + 1];
        section.properties.reserve(end - first);
        for (size_t p = first; p < end; ++p)
            section.properties.emplace_back(lineAt(layout.parameters[p]));
    }
}

std::unique_ptr<char[]> copyOf(const char* bytes, size_t count)
{
    std::unique_ptr<char[]> copy(new char[count > 0 ? count : 1]);
    if (count > 0)
        std::memcpy(copy.get(), bytes, count);
    return copy;
}

}  // namespace

int SambaConfFile::Init()
{
    return parse(true);
}

int SambaConfFile::InitSections()
{
    return parse(false);
}

int SambaConfFile::parse(bool keepLines)
{
    velmora::trace("comimg to SambaConfFile::Init ..............");
    velmora::openVelmoraLog();
    Descriptor file(velmora::OpenConf(velmora::kSmbConfPath));
    velmora::openVelmoraLogMasked();
    if (file.fd < 0) {
        velmora::trace("conffile is null so returning null");
        return -1;
    }
    Layout layout;
    Content content;
    std::vector<size_t> lineEnds;
    std::vector<int32_t> shaping;  // the lines that may shape Samba's sections
    if (!readAll(file.fd, content)) {
        velmora::NoteReadFailure(errno);
        return -1;
    }
    endsWithLineFeed_ = content.size > 0 && content.bytes[content.size - 1] == '\n';
    const int32_t first = static_cast<int32_t>(lines.size());
    if (!keepLines) {
        // Readers keep the bytes and where the lines end, and only Samba's
        // reading of them.
        sectionsOnly_ = true;
        noteLines(content, first, lineEnds, nullptr, shaping);
        bytes_ = std::move(content.bytes);
        byteCount_ = content.size;
        lineEnds_ = std::move(lineEnds);
        readAsSamba(&shaping);
        return 0;
    }
    layout.parameters.reserve(content.size / 16 + 16);
    noteLines(content, first, lineEnds, &layout, shaping);
    const int32_t last = first + static_cast<int32_t>(lineEnds.size()) - 1;
    copyLines(content, lineEnds, lines);
    lineCount += static_cast<int32_t>(lineEnds.size());
    buildSections([&](int32_t i) -> const std::string& { return lines[i]; }, last, layout, sections);
    // Samba's reading stands on the read bytes, kept: read in one run over
    // contiguous memory it costs a fraction of what it costs over lines.
    bytes_ = std::move(content.bytes);
    byteCount_ = content.size;
    lineEnds_ = std::move(lineEnds);
    readAsSamba(&shaping);
    return 0;
}

SambaConfFile::SambaConfFile(const SambaConfFile& other)
    : lineCount(other.lineCount), lines(other.lines), sections(other.sections),
      sectionsOnly_(other.sectionsOnly_), endsWithLineFeed_(other.endsWithLineFeed_),
      bytes_(copyOf(other.bytes_.get(), other.byteCount_)), byteCount_(other.byteCount_), lineEnds_(other.lineEnds_)
{
    readAsSamba();
}

SambaConfFile& SambaConfFile::operator=(const SambaConfFile& other)
{
    if (this != &other) {
        lineCount = other.lineCount;
        lines = other.lines;
        sections = other.sections;
        sectionsOnly_ = other.sectionsOnly_;
        endsWithLineFeed_ = other.endsWithLineFeed_;
        bytes_ = copyOf(other.bytes_.get(), other.byteCount_);
        byteCount_ = other.byteCount_;
        lineEnds_ = other.lineEnds_;
        readAsSamba();
    }
    return *this;
}

void SambaConfFile::readAsSamba(const std::vector<int32_t>* shaping)
{
    samba_.Build(std::string_view(bytes_.get(), byteCount_), lineEnds_, endsWithLineFeed_, shaping);
}

std::vector<SambaSection> SambaConfFile::GetAllSectionInfo() const
{
    velmora::trace("comimg to SambaConfFile::GetAllSectionInfo ..............");
    return sections;
}

SambaSection SambaConfFile::GetSectionByName(const char* name) const
{
    velmora::trace("comimg to SambaConfFile::GetSectionByName ..............");
    velmora::openVelmoraLogMasked();
    const SambaSection* found = FindSection(name);
    if (found != nullptr) {
        velmora::trace("returning sectionName");
        return *found;
    }
    velmora::trace("returning tempSection");
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
    velmora::trace("Comimg to SambaConfFile::SectionExists.......... ");
    for (const SambaSection& section : sections) {
        if (section.name == name)
            return 1;
    }
    velmora::trace("section %s does not exists ", name);
    return 0;
}
