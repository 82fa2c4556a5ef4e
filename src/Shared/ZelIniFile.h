// A small reader of INI-style settings files: "[Section]" lines and "Name=Value" lines.
// Section and key names compare ignoring case; the lines of a section keep their order; the
// first line with a given name wins. Lines starting with ";" or "#" are comments.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TZelIniFile {
public:
    TZelIniFile() = default;
    // Parses the text of a file.
    explicit TZelIniFile(const std::string& text);
    // Reads a file; a missing file reads as empty.
    static TZelIniFile FromFile(const std::string& path);

    bool HasKey(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // A decimal or hexadecimal ("0x", "$") number; the default when absent or not a number.
    int64_t ReadInteger(const std::string& section, const std::string& key,
                        int64_t defaultValue) const;
    // A number (not 0 is true) or the words true/false and yes/no; otherwise the default.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    // The (name, value) lines of a section, in file order.
    const std::vector<std::pair<std::string, std::string>>&
    ReadSectionValues(const std::string& section) const;

private:
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Lines;
    };
    const TSection* Find(const std::string& section) const;
    std::vector<TSection> Sections;
};

// Splits comma text: blanks and control characters before an item are skipped; an item
// ends at a comma or at a blank; an item may be quoted with double quotes (two quotes inside
// stand for one); a comma after an item is skipped with the blanks after it.
std::vector<std::string> ZelParseCommaText(const std::string& text);
