#include "ZelResourceModule.h"

#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <cstring>

namespace {

void AppendLE32(std::string& out, uint32_t v) {
    uint8_t bytes[4];
    ZelWriteLE32(bytes, v);
    out.append(reinterpret_cast<const char*>(bytes), 4);
}

// Reads the parts of a module in order; any read past the end marks the file invalid.
class TModuleReader {
public:
    explicit TModuleReader(const std::string& bytes) : Bytes(bytes) {}
    bool Take(size_t n, std::string_view& out) {
        if (Bytes.size() - Pos < n)
            return false;
        out = std::string_view(Bytes).substr(Pos, n);
        Pos += n;
        return true;
    }
    bool TakeLE32(uint32_t& v) {
        std::string_view part;
        if (!Take(4, part))
            return false;
        v = ZelReadLE32(reinterpret_cast<const uint8_t*>(part.data()));
        return true;
    }
    bool TakeLE16(uint16_t& v) {
        std::string_view part;
        if (!Take(2, part))
            return false;
        v = ZelReadLE16(reinterpret_cast<const uint8_t*>(part.data()));
        return true;
    }
    bool AtEnd() const { return Pos == Bytes.size(); }

private:
    const std::string& Bytes;
    size_t Pos = 0;
};

} // namespace

std::string ZelWriteResourceModule(const TZelResourceModule& module) {
    std::string out(ZelModuleSignature, 4);
    AppendLE32(out, module.Version);
    out += char(module.Language & 0xFF);
    out += char(module.Language >> 8);
    AppendLE32(out, uint32_t(module.Abbreviation.size()));
    out += module.Abbreviation;
    AppendLE32(out, uint32_t(module.NativeName.size()));
    for (char16_t c : module.NativeName) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    AppendLE32(out, uint32_t(module.Payload.size()));
    out += module.Payload;
    return out;
}

TZelResourceModule ZelLoadResourceModule(const std::string& path, uint32_t executableVersion) {
    std::string bytes;
    try {
        bytes = ZelReadWholeFile(path, uint64_t(64) << 20);
    } catch (const EZelError&) {
        throw EZelError(ZelFormat(ZelLoadStr(TZelResId::ResourceFileLoadError), {path}));
    }
    auto invalid = [] { return EZelError(ZelLoadStr(TZelResId::ResourceFileInvalid)); };
    TModuleReader reader(bytes);
    TZelResourceModule module;
    std::string_view signature, abbreviation, nativeName, payload;
    uint32_t abbreviationLength = 0, nativeLength = 0, payloadLength = 0;
    if (!reader.Take(4, signature) || signature != std::string_view(ZelModuleSignature, 4) ||
        !reader.TakeLE32(module.Version) || !reader.TakeLE16(module.Language) ||
        !reader.TakeLE32(abbreviationLength) || !reader.Take(abbreviationLength, abbreviation) ||
        !reader.TakeLE32(nativeLength) || nativeLength > bytes.size() / 2 ||
        !reader.Take(size_t(nativeLength) * 2, nativeName) || !reader.TakeLE32(payloadLength) ||
        !reader.Take(payloadLength, payload) || !reader.AtEnd())
        throw invalid();
    if (module.Version != executableVersion)
        throw EZelError(ZelFormat(ZelLoadStr(TZelResId::ResourceFileVersion), {path}));
    module.Abbreviation = std::string(abbreviation);
    for (size_t i = 0; i < nativeName.size(); i += 2)
        module.NativeName +=
            char16_t(ZelReadLE16(reinterpret_cast<const uint8_t*>(nativeName.data() + i)));
    module.Payload = std::string(payload);
    return module;
}

std::string ZelResourceModulePath(const std::string& executablePath, uint16_t language) {
    std::string abbreviation = GetLangAbbrev3(language);
    if (SubLangId(language) == 0)
        abbreviation = abbreviation.substr(0, 2);
    std::string name = ZelExtractFileName(executablePath);
    std::string folder = ZelExtractFileDir(executablePath);
    return (folder.empty() ? std::string() : folder + "/") + "Locales/" +
           ZelChangeFileExt(name, "." + abbreviation);
}
