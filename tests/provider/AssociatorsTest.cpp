// The public object-path, associator and share-list helpers, called as
// other code that links the library calls them, inside a host call.
#include <sys/stat.h>
#include <unistd.h>

#include "cmpi/CmpiResult.h"
#include "cmpi/CmpiStatus.h"
#include "provider/QVX_SambaFileShare.h"
#include "tests/provider/ProviderFixture.h"

namespace {

using vhost::CallResult;

// Runs fn inside one host call with the call's result wrapped; a thrown
// CmpiStatus becomes the call's status, as the bindings would make it.
CallResult withResult(vhost::Host& host,
                      const std::function<void(vhost::Host::CallEnv&, CmpiResult&)>& fn)
{
    host.instanceMI();  // the provider registers the broker the helpers use
    return host.call([&](vhost::Host::CallEnv& env) {
        CmpiResult result(env.result);
        try {
            fn(env, result);
        } catch (const CmpiStatus& status) {
            return CMPIStatus{status.rc(), nullptr};
        }
        return CMPIStatus{CMPI_RC_OK, nullptr};
    });
}

TEST_F(ProviderTest, ObjectPathsCarryIdentifierAndDirectory)
{
    testfs::writeSmbConf("[data]\n comment = backup path\n path = /srv/data \n[bare]\n");
    struct Case {
        const char* id;
        CMPIrc rc;
        const char* directory;  // nullptr: a null value
    };
    const std::vector<Case> cases = {{"Samba:data", CMPI_RC_OK, "/srv/data"},
                                     {"XXXXX:DATA", CMPI_RC_OK, "/srv/data"},
                                     {"Samba:bare", CMPI_RC_OK, nullptr},
                                     {"Samba:none", CMPI_RC_OK, nullptr},
                                     {"Samb", CMPI_RC_ERR_INVALID_PARAMETER, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const CallResult result = withResult(*host, [&](vhost::Host::CallEnv& env, CmpiResult& r) {
            CmpiObjectPath given(env.makePath(sharePath(c.id)));
            r.returnData(QVX_SambaFileShare::getCIMObjectPath("root/x", given));
        });
        EXPECT_EQ(result.rc, c.rc);
        if (c.rc != CMPI_RC_OK)
            continue;
        const vhost::ObjectPath path = result.paths().at(0);
        EXPECT_EQ(path.nameSpace, "root/x");
        EXPECT_EQ(path.className, "QVX_SambaFileShare");
        EXPECT_EQ(path.key("InstanceID")->text, c.id);
        ASSERT_NE(path.key("DirectoryName"), nullptr);
        EXPECT_EQ(path.key("DirectoryName")->isNull, c.directory == nullptr);
        if (c.directory != nullptr) {
            EXPECT_EQ(path.key("DirectoryName")->text, c.directory);
        }
    }
    const CallResult named = withResult(*host, [](vhost::Host::CallEnv&, CmpiResult& r) {
        r.returnData(QVX_SambaFileShare::getObjectPath("data", "root/cimv2"));
    });
    EXPECT_EQ(named.paths().at(0).toString(), "root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:data\"");
}

TEST_F(ProviderTest, AssociatorResponses)
{
    struct Case {
        std::string content;
        std::string nameKinds;
        std::string instanceKinds;
    };
    const std::vector<Case> cases = {{"[global]\n", "done", "done"},
                                     {"[global]\n[a]\n path = /a\n[b]\n", "path,path,done",
                                      "instance,instance,done"}};
    for (const Case& c : cases) {
        testfs::writeSmbConf(c.content);
        const CallResult names = withResult(*host, [](vhost::Host::CallEnv&, CmpiResult& r) {
            QVX_SambaFileShare::localAssociatorNamesResponse(r, "root/assoc");
        });
        EXPECT_EQ(names.kinds(), c.nameKinds);
        for (const vhost::ObjectPath& path : names.paths())
            EXPECT_EQ(path.nameSpace, "root/assoc");

        const vhost::ObjectPath source = sharePath("Samba:source");
        const CallResult instances = withResult(*host, [&](vhost::Host::CallEnv& env, CmpiResult& r) {
            CmpiObjectPath path(env.makePath(source));
            QVX_SambaFileShare::localAssociatorResponse(r, path);
        });
        EXPECT_EQ(instances.kinds(), c.instanceKinds);
        std::vector<std::string> ids;
        for (const vhost::Instance& instance : instances.instances()) {
            EXPECT_EQ(instance.path, source);  // every instance on the caller's path
            ids.push_back(instance.property("InstanceID")->text);
        }
        if (!ids.empty()) {
            EXPECT_EQ(ids, (std::vector<std::string>{"Samba:a", "Samba:b"}));
            EXPECT_EQ(instances.instances()[0].property("PathName")->text, "/a");
        }
    }
}

TEST_F(ProviderTest, GetSharesReplacesOldEntries)
{
    testfs::writeSmbConf("[global]\n[one]\n[two]\n[one]\n");
    std::vector<ShareData> shares = {{"stale"}, {"old"}};
    EXPECT_EQ(QVX_SambaFileShare::getShares(shares), 0);
    std::vector<std::string> names;
    for (const ShareData& share : shares)
        names.push_back(share.name);
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));  // [one] twice is one share
}

// An smb.conf that is there but cannot be read is a failure, not a file
// without shares: for the associator answers as for the enumerations.
TEST_F(ProviderTest, UnreadableSmbConfFailsTheAssociatorAnswers)
{
    testfs::removeFile(testfs::kSmbConf);
    ASSERT_EQ(mkdir(testfs::kSmbConf, 0755), 0);
    const CallResult names = withResult(*host, [](vhost::Host::CallEnv&, CmpiResult& r) {
        QVX_SambaFileShare::localAssociatorNamesResponse(r, "root/assoc");
    });
    const CallResult instances = withResult(*host, [&](vhost::Host::CallEnv& env, CmpiResult& r) {
        CmpiObjectPath path(env.makePath(sharePath("Samba:source")));
        QVX_SambaFileShare::localAssociatorResponse(r, path);
    });
    std::vector<ShareData> shares = {{"stale"}};
    const int listed = QVX_SambaFileShare::getShares(shares);
    rmdir(testfs::kSmbConf);
    EXPECT_EQ(names.rc, CMPI_RC_ERR_FAILED);
    EXPECT_EQ(names.kinds(), "");
    EXPECT_EQ(instances.rc, CMPI_RC_ERR_FAILED);
    EXPECT_EQ(listed, -1);
    EXPECT_TRUE(shares.empty());
}

}  // namespace
