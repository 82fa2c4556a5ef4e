// The interface-language module: "Locales/" + the executable's name + "." + the language's
// abbreviation beside the executable ("Locales/NV.IT"), holding the translation of every
// text the program shows. The file is a header and a payload:
//
//   signature     4 bytes, "NVLM" (the executable's own settings carry "NVLX")
//   version       32-bit, little-endian: must equal the executable's
//   number        16-bit: the language identifier
//   name          32-bit length + bytes: the abbreviation ("IT")
//   native name   32-bit length (in characters) + UTF-16LE: "italiano"
//   payload size  32-bit
//   payload       the translations (a compiled Qt Linguist catalogue)
//
// Reading checks the file whole before anything of it is used.
#pragma once

#include <cstdint>
#include <string>

constexpr char ZelModuleSignature[5] = "NVLM";
constexpr char ZelExecutableSignature[5] = "NVLX";

struct TZelResourceModule {
    uint32_t Version = 0;
    uint16_t Language = 0;
    std::string Abbreviation;
    std::u16string NativeName;
    std::string Payload;
};

// The file's bytes for a module.
std::string ZelWriteResourceModule(const TZelResourceModule& module);

// Reads and checks the module at path against the executable's version. Raises EZelError
// with "Error loading resource file "PATH"" when it cannot be read, "Invalid resource file
// format" when it is not a module, and "The version of the resource file "PATH" is
// invalid. Please, update the file and try again" for another version.
TZelResourceModule ZelLoadResourceModule(const std::string& path, uint32_t executableVersion);

// The module of a language beside an executable: its folder + "/Locales/" + its file name
// with the extension replaced by "." + the language's abbreviation (three letters when the
// sub-language bits are set, else the first two): "/opt/norvel/bin/Locales/NV.IT" for 0x10.
std::string ZelResourceModulePath(const std::string& executablePath, uint16_t language);

// The executable's version as the modules carry it: major * 10000 + minor * 100 + patch.
constexpr uint32_t ZelMakeModuleVersion(uint32_t major, uint32_t minor, uint32_t patch) {
    return major * 10000 + minor * 100 + patch;
}
