// The "name=value" description files of dictionaries (a DD6 dictionary's ".dd6", a
// morphology's ".dm4"): one reader with one rule for everyone, and one writer.
//
//   TZelDescriptionFile d = TZelDescriptionFile::Read("/x/norvel.dd6");
//   int cp = d.CodePage();                          // 1252 when absent
//   int64_t style = d.Integer("LuStyle", {}, 0, 2); // required, 0 to 2
//
// The first line with a name gives its value; names compare without case; lines without
// "=" are skipped. A value that is missing where it is required, or that cannot be read,
// raises EZelConvertError "FILE: NAME: reason", naming the file and the key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TZelDescriptionFile {
public:
    // Raises EZelOSError when the file cannot be read.
    static TZelDescriptionFile Read(const std::string& path);
    TZelDescriptionFile(std::string_view text, std::string path);

    const std::string& GetPath() const { return Path; }

    // The value of the first line with the name; none when no line has it.
    std::optional<std::string> Find(std::string_view name) const;
    // The value, or fallback when no line has it.
    std::string Text(std::string_view name, const std::string& fallback = {}) const;
    // An integer from low to high; fallback when absent (required when there is none).
    int64_t Integer(std::string_view name, std::optional<int64_t> fallback, int64_t low,
                    int64_t high) const;
    // A boolean by the one boolean-text rule; fallback when absent.
    bool Boolean(std::string_view name, bool fallback) const;
    // "CodePage": a code page this platform converts; 1252 when absent.
    int CodePage() const;

    // Raises the format error for a key.
    [[noreturn]] void RaiseBadValue(std::string_view name, const std::string& reason) const;

private:
    std::string Path;
    std::vector<std::pair<std::string, std::string>> Values; // names in lower case
};

// Writes a description: ordered "name=value" lines ending in CR LF.
class TZelDescriptionWriter {
public:
    void Add(const std::string& name, const std::string& value);
    const std::string& Text() const { return Out; }

private:
    std::string Out;
};
