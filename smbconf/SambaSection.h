#ifndef VELMORA_SMBCONF_SAMBASECTION_H
#define VELMORA_SMBCONF_SAMBASECTION_H

#include <cstdint>
#include <string>
#include <vector>

// One section of smb.conf: its header's line index, its last line's index
// (the line before the next header, or the file's last line), its name as cut
// from the header, and its parameter lines exactly as stored in the file.
// A plain value: copying copies everything.
class SambaSection {
public:
    SambaSection() = default;
    explicit SambaSection(const std::string& sectionName) : name(sectionName) {}

    // Appends a parameter line as given; no check of any kind.
    void AddProperty(std::string line) { properties.push_back(std::move(line)); }

    int32_t startLine = 0;
    int32_t endLine = 0;
    std::string name;
    std::vector<std::string> properties;
};

#endif
