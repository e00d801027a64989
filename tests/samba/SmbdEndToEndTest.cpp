// End to end: shares created, changed and deleted through the library reach
// a real smbd, as a Windows client would see them (smbclient -L).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/samba/SambaFixtures.h"
#include "tests/samba/SmbdServer.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

using samba::ListedShare;
using Listing = std::vector<ListedShare>;

const ListedShare* find(const Listing& listing, const std::string& name)
{
    for (const ListedShare& share : listing) {
        if (share.name == name)
            return &share;
    }
    return nullptr;
}

// Reloads smbd and lists its shares until the listing shows what the test
// waits for (smbd takes a moment to act on its reload), for at most ten
// seconds. Returns the reason when it never does.
std::optional<std::string> reloadUntil(samba::SmbdServer& server, const std::function<bool(const Listing&)>& shows)
{
    std::string error;
    if (!server.reload(error))
        return error;
    std::string last;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::optional<Listing> listing = server.listShares(error);
        if (listing && shows(*listing))
            return std::nullopt;
        last = error;
        for (const ListedShare& share : listing.value_or(Listing{}))
            last += "\n  " + share.name + " (" + share.type + "): " + share.comment;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return last + "\nsmbd's log:\n" + server.log();
}

}  // namespace

TEST(SmbdEndToEnd, SharesEditedThroughTheLibraryReachSmbclient)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    samba::SmbdServer server;
    std::string error;
    ASSERT_TRUE(server.start(error)) << error;
    const VelmoraLibrary& lib = VelmoraLibrary::get();
    const std::string name = "velmora-e2e";
    struct Step {
        const char* what;
        std::function<int()> edit;
        std::optional<std::string> comment;  // nullopt: the share is gone
    };
    const Step steps[] = {
        {"create", [&] { return lib.createShare(name.c_str(), "/srv/scratch", "Made by Velmora"); }, "Made by Velmora"},
        {"modify", [&] { return lib.modifyKeyValue(name.c_str(), "comment", "Changed"); }, "Changed"},
        {"delete", [&] { return lib.deleteShare(name.c_str()); }, std::nullopt},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_EQ(0, step.edit());
        const std::optional<std::string> failure = reloadUntil(server, [&](const Listing& listing) {
            const ListedShare* share = find(listing, name);
            const bool shown = step.comment ? share && share->type == "Disk" && share->comment == *step.comment
                                            : share == nullptr;
            return shown && find(listing, "IPC$") != nullptr;
        });
        ASSERT_FALSE(failure) << *failure;
    }
    EXPECT_TRUE(server.stop(error)) << error;
}
