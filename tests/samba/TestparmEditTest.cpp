// Samba must load every file the editing functions write from a file it
// loads, and see exactly the edit in it: the new share with its path and
// comment, the changed parameter, the share gone, and every other section
// and parameter as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/samba/SambaFixtures.h"
#include "tests/samba/SambaTools.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

using samba::SambaView;

struct Edit {
    enum Kind { Create, Set, Delete } kind;
    std::string share;
    std::string key;        // Set: the parameter; Create: the path
    std::string value;      // Set: the value given; Create: the comment
    std::string effective;  // Set: the value as testparm reports it
    bool isDefault = false; // Set: effective is Samba's default, which testparm -s leaves out
};

Edit creating(std::string share, std::string path, std::string comment)
{
    return {Edit::Create, std::move(share), std::move(path), std::move(comment), ""};
}

Edit setting(std::string share, std::string key, std::string value, std::string effective, bool isDefault = false)
{
    return {Edit::Set, std::move(share), std::move(key), std::move(value), std::move(effective), isDefault};
}

Edit deleting(std::string share) { return {Edit::Delete, std::move(share), "", "", ""}; }

int apply(const Edit& edit)
{
    const VelmoraLibrary& lib = VelmoraLibrary::get();
    const char* share = edit.share.c_str();
    if (edit.kind == Edit::Create)
        return lib.createShare(share, edit.key.c_str(), edit.value.c_str());
    if (edit.kind == Edit::Set)
        return lib.modifyKeyValue(share, edit.key.c_str(), edit.value.c_str());
    return lib.deleteShare(share);
}

// What Samba must see after the edit, given what it saw before.
SambaView expectedAfter(SambaView view, const Edit& edit)
{
    if (edit.kind == Edit::Create)
        view[edit.share] = {{"comment", edit.value}, {"path", edit.key}};
    else if (edit.kind == Edit::Delete)
        view.erase(edit.share);
    else if (edit.isDefault)
        view[edit.share].erase(edit.key);
    else
        view[edit.share][edit.key] = edit.effective;
    return view;
}

struct EditCase {
    const char* what;
    const char* fixture;
    std::vector<Edit> edits;
};

const std::vector<EditCase> kCases = {
    {"Debian's template", "debian",
     {creating("scratch", "/srv/scratch", "Scratch space for everyone"),
      setting("scratch", "guest ok", "true", "Yes"), setting("homes", "read only", "false", "No"),
      setting("print$", "comment", "Drivers for the printers", "Drivers for the printers"),
      deleting("printers"), deleting("scratch"), deleting("homes")}},
    {"a small office's file server", "office",
     {setting("public", "read only", "FALSE", "No"), setting("scans", "browseable", "false", "No"),
      setting("projects", "comment", "  Project work, 2024  ", "Project work, 2024"),
      deleting("projects"), creating("Team Files", "/srv/team files", "Shared by the whole team"),
      setting("Team Files", "read only", "false", "No"), deleting("homes")}},
    {"the same file with CR LF line ends", "office-crlf",
     {creating("scratch", "/srv/scratch", "Scratch space"),
      setting("public", "comment", "New words", "New words"), setting("projects", "guest ok", "yes", "Yes"),
      deleting("scans")}},
    {"a NAS's file without its final line feed", "nas-unterminated",
     {setting("backup$", "guest ok", "yes", "Yes"), creating("Photos", "/srv/photos", "Family photos"),
      setting("Time Machine", "read only", "true", "Yes", true), deleting("Media"),
      setting("Photos", "inherit acls", "true", "Yes")}},
    {"a domain member's file server", "member",
     {setting("Finance", "browseable", "no", "No"), deleting("users"),
      creating("Archive", "/srv/archive", "Old projects, read only"),
      setting("Archive", "read only", "False", "No"), setting("netlogon", "comment", "Logon scripts", "Logon scripts"),
      deleting("profiles$")}},
};

// Applies the case's edits one after the other to its fixture; after each,
// testparm must load the file and see the edit and nothing else.
void runEdits(const EditCase& c)
{
    SCOPED_TRACE(c.what);
    testfs::writeSmbConf(samba::fixture(c.fixture));
    samba::Testparm before = samba::testparm(testfs::kSmbConf);
    ASSERT_EQ(0, before.exitCode) << "the fixture itself does not load:\n" << before.messages;
    for (const Edit& edit : c.edits) {
        SCOPED_TRACE("[" + edit.share + "] '" + edit.key + "' '" + edit.value + "'");
        ASSERT_EQ(0, apply(edit));
        const samba::Testparm after = samba::testparm(testfs::kSmbConf);
        const std::string file = testfs::readSmbConf().value_or("(no file)");
        ASSERT_EQ(0, after.exitCode) << after.messages << "\nin the file:\n" << file;
        EXPECT_EQ(expectedAfter(before.view, edit), after.view)
            << "in the file:\n" << file;
        if (edit.kind == Edit::Set) {
            EXPECT_EQ(edit.effective, samba::testparmParameter(testfs::kSmbConf, edit.share, edit.key));
        }
        before = after;
    }
}

}  // namespace

TEST(TestparmAfterEdits, SambaLoadsEveryEditedFileAndSeesExactlyTheEdit)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    for (const EditCase& c : kCases)
        runEdits(c);
}

// Samba joins a line that ends in a backslash with the next one. A
// parameter added to a share whose last line is such a tail must not land
// between the two: it would become part of the continued value (here
// "valid users") and be lost as a parameter of its own.
TEST(TestparmAfterEdits, AddedParameterDoesNotJoinAContinuedLine)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    runEdits({"a share whose last parameter goes on over two lines", "continued",
              {setting("lab", "read only", "false", "No"), setting("lab", "guest ok", "yes", "Yes")}});
}

// A file that ends, without a final line feed, in a line that goes on with a
// backslash: a new section's header must not become the end of that value.
// The line gets an empty line to join instead, so the value merely loses its
// dangling backslash (no appended text can keep it and still start a line).
TEST(TestparmAfterEdits, NewSectionAfterAnOpenLastLineStaysASection)
{
    SKIP_WITHOUT_SAMBA();
    samba::makeShareDirectories();
    testfs::writeSmbConf(samba::fixture("continued-open"));
    ASSERT_EQ(0, VelmoraLibrary::get().createShare("scratch", "/srv/scratch", "Scratch space"));
    EXPECT_EQ(0, samba::testparm(testfs::kSmbConf).exitCode);
    EXPECT_EQ("/srv/scratch", samba::testparmParameter(testfs::kSmbConf, "scratch", "path"));
    EXPECT_EQ("alice bob carol dave", samba::testparmParameter(testfs::kSmbConf, "lab", "valid users"));
}
