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

std::string describe(const Listing& listing)
{
    std::string text;
    for (const ListedShare& share : listing)
        text += "  " + share.name + " (" + share.type + "): " + share.comment + "\n";
    return text;
}

// Reloads smbd and lists its shares until the listing shows what the test
// waits for (smbd takes a moment to act on its reload), for at most ten
// seconds. Returns the reason when it never does.
std::optional<std::string> reloadUntil(samba::SmbdServer& server,
                                       const std::function<bool(const Listing&)>& shows)
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
        last = listing ? "smbclient lists:\n" + describe(*listing) : error;
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
    ASSERT_TRUE(server.start("", error)) << error;
    const VelmoraLibrary& lib = VelmoraLibrary::get();

    ASSERT_EQ(0, lib.createShare("velmora-e2e", "/srv/scratch", "Made by Velmora"));
    std::optional<std::string> failure = reloadUntil(server, [](const Listing& listing) {
        const ListedShare* share = find(listing, "velmora-e2e");
        return share != nullptr && share->type == "Disk" && share->comment == "Made by Velmora";
    });
    ASSERT_FALSE(failure) << "the new share: " << *failure;

    ASSERT_EQ(0, lib.modifyKeyValue("velmora-e2e", "comment", "Comment changed by Velmora"));
    failure = reloadUntil(server, [](const Listing& listing) {
        const ListedShare* share = find(listing, "velmora-e2e");
        return share != nullptr && share->comment == "Comment changed by Velmora";
    });
    ASSERT_FALSE(failure) << "the changed comment: " << *failure;

    ASSERT_EQ(0, lib.deleteShare("velmora-e2e"));
    failure = reloadUntil(server, [](const Listing& listing) {
        return find(listing, "velmora-e2e") == nullptr && find(listing, "IPC$") != nullptr;
    });
    ASSERT_FALSE(failure) << "the deleted share: " << *failure;

    EXPECT_TRUE(server.stop(error)) << error;
}
