#ifndef VELMORA_SMBCONF_SAMBACONFFILE_H
#define VELMORA_SMBCONF_SAMBACONFFILE_H

#include <cstdint>
#include <string>
#include <vector>

#include "smbconf/SambaSection.h"

// How a key and value stand in a section (the numbers are part of the
// interface: callers test for 3).
enum PropertyExistence {
    PropertyAbsent = 1,        // no parameter line of the section has the key
    PropertyValueDiffers = 2,  // the first line with the key has another value
    PropertySameValue = 3      // the first line with the key has this value
};

// The in-memory model of /etc/samba/smb.conf: every line verbatim (the
// authority for rewrites) and the sections with their line ranges and
// parameter lines. Use: construct, Init() once, query or edit, discard.
// The object is never refreshed; after an edit, build a new one.
class SambaConfFile {
public:
    // Reads and classifies /etc/samba/smb.conf. 0 when read; -1 when it could
    // not be opened or a read failed midway (the model then stays empty).
    int Init();

    // The same for readers, who never look at lines: only the sections are
    // kept, which spares a copy of every line (lines stays empty, lineCount
    // 0). Such a model answers every query, but RemoveSection and
    // ModifySection refuse it (-1), since they rewrite the file from lines.
    int InitSections();

    // A copy of all sections in file order.
    std::vector<SambaSection> GetAllSectionInfo() const;

    // The first section whose name matches ignoring case (strcasecmp), or the
    // empty section (no name, lines 0..0, no properties) when none does.
    SambaSection GetSectionByName(const char* name) const;

    // 1 when a section has exactly this name (case counts), else 0.
    int SectionExists(const char* name) const;

    // --- Edits of the file on disk; they never change this object. ---

    // Copies smb.conf to smb.conf.temp with /bin/cp; the pclose status.
    int MakeBackupCopy();

    // Appends "\n[name]\n\tpath = path\n\tcomment = comment\n". 0 when done,
    // -1 when smb.conf is missing or cannot be written (file unchanged).
    int WriteNewSection(const char* name, const char* path, const char* comment);

    // Rewrites smb.conf without the first section matching name (ignoring
    // case), keeping its '#' comment lines. 0 when done, -1 on failure or when
    // nothing matches (file unchanged).
    int RemoveSection(const char* name);

    // Classifies key and value against the first section matching name
    // (ignoring case): the first line whose key equals key decides.
    PropertyExistence SamePropertyExists(const char* name, std::string& key, std::string& value);

    // Rewrites smb.conf with the key added to the section (PropertyAbsent) or
    // every line with the key replaced (PropertyValueDiffers). 0 when done,
    // -1 on failure or when no section matches (file unchanged).
    int ModifySection(const char* name, std::string& key, std::string& value,
                      PropertyExistence existence);

    // "\t" key " = " value.
    std::string PasteTogetherNewValue(std::string& key, std::string& value);

    // The first section matching name ignoring case, without a copy or a
    // log line; nullptr when none does. Valid while this object lives.
    const SambaSection* FindSection(const char* name) const;

    int32_t lineCount = 0;
    std::vector<std::string> lines;
    std::vector<SambaSection> sections;

private:
    int parse(bool keepLines);
    // The section an edit of name rewrites, into section; false when none
    // may be rewritten (no match, or a model without lines).
    bool sectionToRewrite(const char* name, SambaSection& section) const;

    bool sectionsOnly_ = false;
};

#endif
