// The interface-language module: its format, its three failures, where it is looked for,
// and a translation for every text of the engine and the windows.
#include "ZelInterfaceLanguage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelResStrings.h"
#include "ZelResourceModule.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <QTranslator>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Version = ZelMakeModuleVersion(1, 2, 3);

// An executable's folder with a module of the language beside it.
struct TProgramFolder {
    TTempDir Dir;
    std::string Executable() const { return Dir.File("NV"); }
    std::string Module(const char* extension) const { return Dir.File("Locales/NV.") + extension; }
    void Write(const char* extension, const std::string& bytes) const {
        ZelCreateFolders(Dir.File("Locales"));
        WriteBytes(Module(extension), bytes);
    }
};

// The module the build made, for the program's version.
constexpr uint32_t BuiltVersion =
    ZelMakeModuleVersion(NORVEL_VERSION_MAJOR, NORVEL_VERSION_MINOR, NORVEL_VERSION_PATCH);

TZelResourceModule BuiltModule() {
    return ZelLoadResourceModule(ZelExecutableFolder() + "/Locales/NV.IT", BuiltVersion);
}

} // namespace

TEST(InterfaceLanguage, ModulesRoundTripAndRefuseWhatIsNotOne) {
    TZelResourceModule module;
    module.Version = Version;
    module.Language = 0x10;
    module.Abbreviation = "IT";
    module.NativeName = u"italiano";
    module.Payload = std::string("\0\x01"
                                 "catalogue",
                                 11);
    TProgramFolder folder;
    folder.Write("IT", ZelWriteResourceModule(module));
    TZelResourceModule read = ZelLoadResourceModule(folder.Module("IT"), Version);
    EXPECT_EQ(read.Language, 0x10);
    EXPECT_EQ(read.NativeName, u"italiano");
    EXPECT_EQ(read.Payload, module.Payload);

    std::string bytes = ZelWriteResourceModule(module);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"NVLX" + bytes.substr(4), "Invalid resource file format"},          // the executable's
        {bytes.substr(0, bytes.size() - 1), "Invalid resource file format"}, // cut short
        {bytes + "x", "Invalid resource file format"},                       // more than it says
        {"", "Invalid resource file format"},
    };
    for (const auto& [text, message] : cases) {
        folder.Write("IT", text);
        EXPECT_THROW_MSG(ZelLoadResourceModule(folder.Module("IT"), Version), EZelError, message);
    }
    folder.Write("IT", bytes);
    EXPECT_THROW_MSG(ZelLoadResourceModule(folder.Module("IT"), Version + 1), EZelError,
                     "The version of the resource file \"" + folder.Module("IT") +
                         "\" is invalid. Please, update the file and try again");
    EXPECT_THROW_MSG(ZelLoadResourceModule(folder.Module("DE"), Version), EZelError,
                     "Error loading resource file \"" + folder.Module("DE") + "\"");
}

TEST(InterfaceLanguage, TheModuleIsNamedAfterTheLanguage) {
    EXPECT_EQ(ZelResourceModulePath("/opt/norvel/bin/NV", 0x10), "/opt/norvel/bin/Locales/NV.IT");
    // A sub-language takes the three-letter abbreviation.
    EXPECT_EQ(ZelResourceModulePath("/opt/norvel/bin/NV", 0x0410),
              "/opt/norvel/bin/Locales/NV.ITA");
    EXPECT_EQ(ZelResourceModulePath("/x/NV.exe", 0x07), "/x/Locales/NV.DE");
}

TEST(InterfaceLanguage, EnglishLoadsNothingAndItalianLoadsTheBuiltModule) {
    TProgramFolder folder;
    TZelInterfaceLanguage::Load(0x09, folder.Executable(), Version);
    EXPECT_EQ(TZelInterfaceLanguage::Translator(), nullptr);
    EXPECT_EQ(ZelLoadStr(TZelResId::OpAnagramOf), "anagram of");

    TZelResourceModule module = BuiltModule();
    module.Version = Version;
    folder.Write("IT", ZelWriteResourceModule(module));
    TZelInterfaceLanguage::Load(0x10, folder.Executable(), Version);
    EXPECT_EQ(TZelInterfaceLanguage::Current(), 0x10);
    EXPECT_EQ(ZelLoadStr(TZelResId::OpAnagramOf), "anagramma di");
    EXPECT_EQ(ZelTr("TZelBaseAppDataModule", "Save Settings &Now"), "Salva impostazioni &ora");
    TZelInterfaceLanguage::Unload();
    EXPECT_EQ(ZelLoadStr(TZelResId::OpAnagramOf), "anagram of");

    // A sub-language looks for its own module, which is not there.
    EXPECT_THROW_MSG(TZelInterfaceLanguage::Load(0x0410, folder.Executable(), Version), EZelError,
                     "Error loading resource file \"" + folder.Module("ITA") + "\"");
}

// Every text of the engine has its Italian translation in the built module.
TEST(InterfaceLanguage, EveryEngineTextIsTranslated) {
    TZelResourceModule module = BuiltModule();
    QTranslator catalogue;
    ASSERT_TRUE(catalogue.load(reinterpret_cast<const uchar*>(module.Payload.data()),
                               int(module.Payload.size())));
    for (int id = 0; id < int(TZelResId::Count); ++id)
        EXPECT_FALSE(catalogue.translate("Engine", ZelDefaultStr(TZelResId(id))).isEmpty())
            << ZelResName(TZelResId(id));
}
