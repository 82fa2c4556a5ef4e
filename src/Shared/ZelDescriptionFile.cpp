#include "ZelDescriptionFile.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

TZelDescriptionFile TZelDescriptionFile::Read(const std::string& path) {
    // A description is a few lines: a large file is not one.
    return TZelDescriptionFile(ZelReadWholeFile(path, 1 << 20), path);
}

TZelDescriptionFile::TZelDescriptionFile(std::string_view text, std::string path)
    : Path(std::move(path)) {
    for (const std::string& line : ZelSplitLines(std::string(text))) {
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            Values.emplace_back(ZelAsciiLowerCase(line.substr(0, equals)), line.substr(equals + 1));
    }
}

std::optional<std::string> TZelDescriptionFile::Find(std::string_view name) const {
    std::string lower = ZelAsciiLowerCase(name);
    for (const auto& [n, v] : Values)
        if (n == lower)
            return v;
    return std::nullopt;
}

std::string TZelDescriptionFile::Text(std::string_view name, const std::string& fallback) const {
    return Find(name).value_or(fallback);
}

void TZelDescriptionFile::RaiseBadValue(std::string_view name, const std::string& reason) const {
    throw EZelConvertError(
        ZelFormat(ZelLoadStr(TZelResId::DescriptionBadValue), {Path, std::string(name), reason}));
}

int64_t TZelDescriptionFile::Integer(std::string_view name, std::optional<int64_t> fallback,
                                     int64_t low, int64_t high) const {
    std::optional<std::string> text = Find(name);
    if (!text) {
        if (!fallback)
            RaiseBadValue(name, ZelLoadStr(TZelResId::DescriptionValueMissing));
        return *fallback;
    }
    std::optional<int64_t> value = ZelParseInteger(*text);
    if (!value)
        RaiseBadValue(name, ZelFormat(ZelLoadStr(TZelResId::NotAnInteger), {*text}));
    if (*value < low || *value > high)
        RaiseBadValue(
            name, ZelFormat(ZelLoadStr(TZelResId::DescriptionValueOutOfRange), {*text, low, high}));
    return *value;
}

bool TZelDescriptionFile::Boolean(std::string_view name, bool fallback) const {
    std::optional<std::string> text = Find(name);
    if (!text || text->empty())
        return fallback;
    std::optional<bool> value = ZelParseBoolText(*text);
    if (!value)
        RaiseBadValue(name, ZelFormat(ZelLoadStr(TZelResId::NotABoolean), {*text}));
    return *value;
}

int TZelDescriptionFile::CodePage() const {
    int codePage = int(Integer("CodePage", ZelCpWindows1252, 1, 65535));
    if (!ZelIsCodePageSupported(codePage))
        RaiseBadValue("CodePage", ZelFormat(ZelLoadStr(TZelResId::UnknownCodePage), {codePage}));
    return codePage;
}

void TZelDescriptionWriter::Add(const std::string& name, const std::string& value) {
    Out += name + "=" + value + "\r\n";
}
