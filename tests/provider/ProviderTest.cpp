// The provider through the real binary interface: factories, function
// tables and the name enumeration, as a CIMOM drives them.
#include <thread>

#include "cmpi/CmpiProviderBase.h"
#include "tests/provider/ProviderFixture.h"

extern "C" CmpiProviderBase basevelmora;

namespace {

using vhost::CallResult;

std::vector<std::string> keys(const CallResult& result)
{
    std::vector<std::string> found;
    for (const vhost::ObjectPath& path : result.paths())
        found.push_back(path.key("InstanceID") != nullptr ? path.key("InstanceID")->text : "");
    return found;
}

// Names carry the class the provider serves whatever class was asked;
// instances carry the request's path (a subclass's enumeration).
TEST_F(ProviderTest, EnumerationsListSharesInFileOrderThenDone)
{
    testfs::writeSmbConf("[global]\n workgroup = W\n[a]\n path = /a\n[b]\n");
    const CallResult names = host->enumInstanceNames(classPath("CIM_Whatever", "root/velmora"));
    EXPECT_EQ(names.rc, CMPI_RC_OK);
    EXPECT_EQ(names.kinds(), "path,path,done");
    EXPECT_EQ(keys(names), (std::vector<std::string>{"Samba:a", "Samba:b"}));
    for (const vhost::ObjectPath& path : names.paths()) {
        EXPECT_EQ(path.className, "QVX_SambaFileShare");
        EXPECT_EQ(path.nameSpace, "root/velmora");
        EXPECT_EQ(path.keys.size(), 1u);
    }
    EXPECT_TRUE(names.rejected.empty());

    const CallResult all = host->enumInstances(classPath("QVX_SpecialShare", "root/other"));
    ASSERT_EQ(all.kinds(), "instance,instance,done");
    for (const vhost::Instance& instance : all.instances()) {
        EXPECT_EQ(instance.path, classPath("QVX_SpecialShare", "root/other"));
        EXPECT_EQ(instance.property("InstanceID")->text, "Samba:" + instance.property("ElementName")->text);
    }
    EXPECT_EQ(all.instances()[1].property("ElementName")->text, "b");
    EXPECT_EQ(host->liveObjects(), 0u);
}

TEST_F(ProviderTest, NoSharesGiveDoneAlone)
{
    for (const char* content : std::vector<const char*>{"[global]\n", "", nullptr}) {
        SCOPED_TRACE(content != nullptr ? content : "missing file");
        if (content != nullptr)
            testfs::writeSmbConf(content);
        else
            testfs::removeFile(testfs::kSmbConf);
        for (const CallResult& result : {host->enumInstanceNames(classPath()), host->enumInstances(classPath())}) {
            EXPECT_EQ(result.rc, CMPI_RC_OK);
            EXPECT_EQ(result.kinds(), "done");
        }
    }
}

// Every read operation runs the same prologue; each case holds for all three.
TEST_F(ProviderTest, PrologueRefusalsOfEveryReadOperation)
{
    struct Case {
        const char* what;
        void (*prepare)(vhost::Host&);
        CMPIrc rc;
        std::optional<std::string> message;
    };
    const std::vector<Case> cases = {
        {"rights call fails even with the bit", [](vhost::Host&) { testfs::setFakeRights(1, 0x10); },
         CMPI_RC_ERR_ACCESS_DENIED, std::nullopt},
        {"privilege bit clear, checked before Samba",
         [](vhost::Host&) { testfs::setFakeRights(0, 0); testfs::removeSmbd(); },
         CMPI_RC_ERR_ACCESS_DENIED, std::nullopt},
        {"no principal entry", [](vhost::Host& h) { h.clearPrincipal(); },
         CMPI_RC_ERR_ACCESS_DENIED, std::nullopt},
        {"principal string with a NULL text", [](vhost::Host& h) { h.setNullPrincipal(); },
         CMPI_RC_ERR_ACCESS_DENIED, std::nullopt},
        {"principal of another type",
         [](vhost::Host& h) { h.setContextEntry(CMPIPrincipal, vhost::Value::null(CMPI_uint32)); },
         CMPI_RC_ERR_ACCESS_DENIED, std::nullopt},
        {"no Samba", [](vhost::Host&) { testfs::removeSmbd(); }, CMPI_RC_ERR_FAILED,
         "No Samba Service found on this machine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        testfs::writeSmbConf("[data]\npath = /srv\n");
        c.prepare(*host);
        for (const CallResult& result :
             {host->enumInstanceNames(classPath()), host->enumInstances(classPath()),
              host->getInstance(sharePath("Samba:data"))}) {
            EXPECT_EQ(result.rc, c.rc);
            EXPECT_EQ(result.message, c.message);
            EXPECT_TRUE(result.sequence.empty()) << result.kinds();
            EXPECT_FALSE(result.threw);
        }
    }
}

// A library the process once opened stays open, so the missing-library
// cases each need a process in which no check has run yet (CTest runs every
// test case in a process of its own).
TEST_F(ProviderTest, NoRightsLibrary)
{
    testfs::removeRights();
    const CallResult result = host->getInstance(sharePath("Samba:data"));
    EXPECT_EQ(result.rc, CMPI_RC_ERR_FAILED);
    EXPECT_EQ(result.message, "Failed to dlopen file: ");
    EXPECT_TRUE(result.sequence.empty());
}

TEST_F(ProviderTest, RightsLibraryWithoutItsFunction)
{
    testfs::installRights(testfs::Rights::NoSymbol);
    const CallResult result = host->enumInstanceNames(classPath());
    EXPECT_EQ(result.rc, CMPI_RC_ERR_FAILED);
    EXPECT_EQ(result.message, "Failed to get symbol qelGetEffectivePrivForWS from ");
    EXPECT_TRUE(result.sequence.empty());
}

TEST_F(ProviderTest, RealRightsLibraryGrantsRootAndRefusesOthers)
{
    testfs::installRights(testfs::Rights::Real);
    testfs::writeSmbConf("[data]\n");
    const std::vector<std::pair<std::string, CMPIrc>> cases = {
        {"root", CMPI_RC_OK}, {"nobody", CMPI_RC_ERR_ACCESS_DENIED},
        {"no-such-user-velmora", CMPI_RC_ERR_ACCESS_DENIED}, {"", CMPI_RC_ERR_ACCESS_DENIED}};
    for (const auto& [user, rc] : cases) {
        host->setPrincipal(user);
        EXPECT_EQ(host->enumInstanceNames(classPath()).rc, rc) << user;
    }
}

TEST_F(ProviderTest, EditingOperationsAreRefused)
{
    vhost::Instance instance;
    instance.path = sharePath("Samba:data");
    const std::vector<std::pair<CallResult, std::string>> cases = {
        {host->createInstance(classPath(), instance), "Provider does not support createInstance "},
        {host->deleteInstance(sharePath("Samba:data")), "Provider does not support deleteInstance "},
        {host->invokeMethod(sharePath("Samba:data"), "Reload"), "Provider does not support invokeMetod "},
    };
    for (const auto& [result, message] : cases) {
        EXPECT_EQ(result.rc, CMPI_RC_ERR_FAILED);
        EXPECT_EQ(result.message, message);
        EXPECT_TRUE(result.sequence.empty());
    }
    for (const CallResult& result : {host->modifyInstance(sharePath("Samba:data"), instance),
                                     host->execQuery(classPath(), "SELECT * FROM QVX_SambaFileShare", "WQL")}) {
        EXPECT_EQ(result.rc, CMPI_RC_ERR_NOT_SUPPORTED);
        EXPECT_TRUE(result.sequence.empty());
    }
}

// Both factories, called at once, share one provider object.
TEST_F(ProviderTest, SimultaneousFirstFactoryCallsMakeOneProvider)
{
    for (int round = 0; round < 50; ++round) {
        CMPIInstanceMI* instanceMI = nullptr;
        CMPIMethodMI* methodMI = nullptr;
        std::thread first([&] { instanceMI = host->instanceMI(); });
        std::thread second([&] { methodMI = host->methodMI(); });
        first.join();
        second.join();
        ASSERT_NE(instanceMI, nullptr);
        ASSERT_NE(methodMI, nullptr);
        ASSERT_EQ(instanceMI->hdl, methodMI->hdl) << "round " << round;
        ASSERT_EQ(basevelmora.getUseCount(), 2u);
        ASSERT_EQ(basevelmora.getBaseMI(), instanceMI->hdl);
        EXPECT_EQ(instanceMI->ft->ftVersion, 200);
        EXPECT_EQ(instanceMI->ft->miVersion, 200);
        EXPECT_STREQ(instanceMI->ft->miName, "instancevelmora");
        EXPECT_STREQ(methodMI->ft->miName, "methodvelmora");
        // Both cleanups bring the count to 0 and free the provider, so the
        // next round races for a first creation again.
        EXPECT_EQ(host->cleanupInstanceMI(true).rc, CMPI_RC_OK);
        EXPECT_EQ(host->cleanupMethodMI(true).rc, CMPI_RC_OK);
        ASSERT_EQ(basevelmora.getUseCount(), 0u);
        ASSERT_EQ(basevelmora.getBaseMI(), nullptr);
    }
}

// sfcb leaves the 2.0 additions of the broker tables NULL and reports low
// versions. The provider object is made by the first factory call of the
// process, so only the sfcb-like host may call a factory in this test.
TEST_F(ProviderTest, SparseBrokerIsEnough)
{
    testfs::writeSmbConf("[global]\n[a]\n path = /a\n comment = A\n[b]\n read only = yes\n");
    vhost::Options sparse;
    sparse.sparse = true;
    ProviderHost sfcbLike(sparse);
    ASSERT_TRUE(sfcbLike.loaded) << sfcbLike.error;

    const CallResult names = sfcbLike.enumInstanceNames(classPath());
    EXPECT_EQ(names.kinds(), "path,path,done");
    EXPECT_EQ(keys(names), (std::vector<std::string>{"Samba:a", "Samba:b"}));

    const CallResult all = sfcbLike.enumInstances(classPath());
    ASSERT_EQ(all.kinds(), "instance,instance,done");
    EXPECT_EQ(all.instances()[0].property("Comment")->text, "A");
    EXPECT_TRUE(all.instances()[1].property("ReadOnly")->boolean);

    const CallResult missing = sfcbLike.getInstance(sharePath("Samba:x"));
    EXPECT_EQ(missing.rc, CMPI_RC_ERR_FAILED);
    EXPECT_EQ(missing.message, "Samba share does not exist ");
    EXPECT_EQ(sfcbLike.liveObjects(), 0u);
}

}  // namespace
