#include "tests/samba/SambaFixtures.h"

#include <sys/stat.h>

#include "host/Host.h"
#include "tests/support/Files.h"
#include "tests/support/Sandbox.h"
#include "tests/support/VelmoraLibrary.h"

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
    if (name == "nas-unterminated") {
        std::string text = dataFile("nas.conf");
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
    for (const char* dir : {"/srv/scratch", "/srv/team files", "/srv/photos", "/srv/archive"})
        ASSERT_EQ(0, mkdir(dir, 0755)) << dir;
}

std::vector<vhost::Instance> providerInstances()
{
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Fake);
    testfs::setFakeRights(0, 0x10);
    vhost::Host host(VelmoraLibrary::path());
    std::string error;
    EXPECT_TRUE(host.load(&error)) << error;
    host.setPrincipal("root");
    const vhost::CallResult result = host.enumInstances(vhost::ObjectPath("root/cimv2", "QVX_SambaFileShare"));
    EXPECT_EQ(CMPI_RC_OK, result.rc) << result.statusText();
    return result.instances();
}

}  // namespace samba
