#include "tests/samba/SambaFixtures.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "tests/support/ProviderHost.h"
#include "tests/support/Sandbox.h"

namespace samba {
namespace {

std::string dataFile(const std::string& name)
{
    const std::string path = std::string(VELMORA_SAMBA_DATA_DIR) + "/" + name;
    const auto text = testfs::readFile(path);
    EXPECT_TRUE(text.has_value()) << "cannot read " << path;
    return text.value_or("");
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

}  // namespace

std::string fixture(const std::string& name)
{
    if (name == "debian") {
        const auto text = testfs::readFile(kDebianTemplate);
        EXPECT_TRUE(text.has_value()) << "cannot read " << kDebianTemplate;
        return text.value_or("");
    }
    if (name == "office-crlf")
        return withCrLf(dataFile("office.conf"));
    // Its last line goes on with a backslash, and there is no next line.
    if (name == "continued-open")
        return fixture("continued-unterminated") + " \\";
    const std::string unterminated = "-unterminated";
    const size_t cut = name.size() - std::min(name.size(), unterminated.size());
    if (name.size() > unterminated.size() && name.compare(cut, std::string::npos, unterminated) == 0) {
        std::string text = fixture(name.substr(0, cut));
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    return dataFile(name + ".conf");
}

void makeShareDirectories()
{
    std::string error;
    ASSERT_TRUE(sandbox::mountTmpfs("/srv", "size=1m,mode=0755", error)) << error;
    for (const char* dir : {"/srv/scratch", "/srv/team files", "/srv/photos", "/srv/archive", "/srv/new"})
        ASSERT_EQ(0, mkdir(dir, 0755)) << dir;
    ASSERT_EQ(0, symlink("/srv/new", "/srv/link"));
}

std::vector<vhost::Instance> providerInstances()
{
    ProviderHost host;
    EXPECT_TRUE(host.loaded) << host.error;
    const vhost::CallResult result = host.enumInstances(classPath());
    EXPECT_EQ(CMPI_RC_OK, result.rc) << result.statusText();
    return result.instances();
}

}  // namespace samba
