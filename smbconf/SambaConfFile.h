#ifndef VELMORA_SMBCONF_SAMBACONFFILE_H
#define VELMORA_SMBCONF_SAMBACONFFILE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "smbconf/SambaReading.h"
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
//
// Beside that raw model, each parse also reads the file as Samba does
// (Samba()): the shares and parameters that smbd will see. The share
// functions answer and edit from that reading; the raw model is what an edit
// writes back, line by line.
class SambaConfFile {
public:
    SambaConfFile() = default;
    // Copies rebuild Samba's reading over the copy's own lines.
    SambaConfFile(const SambaConfFile& other);
    SambaConfFile& operator=(const SambaConfFile& other);

    // Reads and classifies /etc/samba/smb.conf. 0 when read; -1 when it could
    // not be opened or a read failed midway (the model then stays empty).
    int Init();

    // For readers: only Samba's reading is made, over the read bytes, which
    // spares a copy of every line (lines and sections stay empty, lineCount
    // 0). The edits refuse such a model (-1), since they rewrite the file
    // from lines.
    int InitSections();

    // smb.conf as Samba reads it, as of the parse.
    const velmora::samba::Reading& Samba() const { return samba_; }

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

    // The edits below find the share as Samba does (the sections whose names
    // are the same for Samba) and a parameter under any of its names
    // (SambaDialect.h).

    // Rewrites smb.conf without every section of the share, keeping their
    // '#' comment lines. 0 when done, -1 on failure or when there is no such
    // share (file unchanged).
    int RemoveSection(const char* name);

    // Classifies key and value against the share: the last line that sets
    // the parameter is Samba's value, compared as Samba compares values.
    // When no line of the share sets it but a share it copies does, an
    // equal value is PropertySameValue and another PropertyAbsent (a line
    // of the share's own is then added, which wins over the copy).
    PropertyExistence SamePropertyExists(const char* name, std::string& key, std::string& value);

    // Rewrites smb.conf with the key added to the share's first section
    // (PropertyAbsent) or every line that sets the parameter replaced by
    // one line with key and value (otherwise). 0 when done, -1 on failure
    // or when there is no such share (file unchanged).
    int ModifySection(const char* name, std::string& key, std::string& value,
                      PropertyExistence existence);

    // Rewrites smb.conf without every line that sets the parameter key in
    // the share. 0 when done or when no line sets it (nothing written), -1
    // on failure or when there is no such share (file unchanged).
    int RemoveProperty(const char* name, std::string& key);

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
    void readAsSamba(const std::vector<int32_t>* shaping = nullptr);
    const velmora::samba::Share* shareToRewrite(const char* name) const;
    int32_t insertionPoint(const velmora::samba::SectionRange& section) const;
    const velmora::samba::SectionRange* firstHeaded(const velmora::samba::Share& share) const;
    void keepLine(std::string& out, int32_t i, const std::string& line) const;

    bool sectionsOnly_ = false;
    bool endsWithLineFeed_ = false;
    std::unique_ptr<char[]> bytes_;    // the file as read: Samba's reading stands on it
    size_t byteCount_ = 0;
    std::vector<size_t> lineEnds_;     // where each line of bytes_ ends
    velmora::samba::Reading samba_;
};

#endif
