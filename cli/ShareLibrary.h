#ifndef VELMORA_CLI_SHARELIBRARY_H
#define VELMORA_CLI_SHARELIBRARY_H

#include <optional>
#include <string>
#include <vector>

#include "shares/SambaShares.h"

namespace velmora::cli {

// libvelmora.so.0 as a program that uses its share functions meets it:
// opened with dlopen, the exported CLI… functions found with dlsym, and
// called through thin wrappers that take and give C++ strings. Result codes
// are the library's own (shares/SambaShares.h). The library is closed when
// this object goes.
class ShareLibrary {
public:
    explicit ShareLibrary(std::string path);
    ~ShareLibrary();
    ShareLibrary(const ShareLibrary&) = delete;
    ShareLibrary& operator=(const ShareLibrary&) = delete;

    // Opens the library and finds all its share functions; on failure returns
    // false with a reason and leaves nothing open. Call before anything else.
    bool open(std::string& error);

    // The share names in file order (the section "global" is not a share).
    std::vector<std::string> shareNames() const;
    // The parameter lines of the first section matching name ignoring case;
    // empty when none does.
    std::vector<std::string> parameterLines(const std::string& name) const;
    // CLISambaSharePathName: 0 with the path stored in path, or -1.
    int pathName(const std::string& name, std::string& path) const;
    // True when a section of exactly that name exists ("global" included).
    bool sectionExists(const std::string& name) const;

    int create(const std::string& name, const std::string& path, const std::string& comment) const;
    int modify(const std::string& name, const std::string& key, const std::string& value) const;
    int remove(const std::string& name) const;
    int removeKey(const std::string& name, const std::string& key) const;

    // A dry run on this thread: the edits between the two calls change
    // nothing. endDryRun gives the smb.conf the last of them would have
    // written, or nothing when it would have written nothing.
    void beginDryRun() const;
    std::optional<std::string> endDryRun() const;
    // What Samba said of the text the last edit made or would have made;
    // "" when it said nothing.
    std::string verdict() const;

private:
    bool findAll(std::string& error);

    std::string path_;
    void* handle_ = nullptr;
    decltype(&::CLIGetSambaShares) getShares_ = nullptr;
    decltype(&::CLIGetSambaShareInfo) getShareInfo_ = nullptr;
    decltype(&::CLISambaSharePathName) sharePathName_ = nullptr;
    decltype(&::CLIIsValidSambaShare) isValidShare_ = nullptr;
    decltype(&::CLICreateSambaShare) createShare_ = nullptr;
    decltype(&::CLIModifyKeyValuePair) modifyKeyValue_ = nullptr;
    decltype(&::CLIDeleteSambaShare) deleteShare_ = nullptr;
    decltype(&::CLIRemoveKeyValuePair) removeKeyValue_ = nullptr;
    decltype(&::CLIBeginDryRun) beginDryRun_ = nullptr;
    decltype(&::CLIEndDryRun) endDryRun_ = nullptr;
    decltype(&::CLISambaVerdict) sambaVerdict_ = nullptr;
};

}  // namespace velmora::cli

#endif
