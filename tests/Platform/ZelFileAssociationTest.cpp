// Registering as the default editor in the user's MIME associations, and undoing it.
#include "ZelFileAssociation.h"
#include "ZelFiles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(FileAssociation, RegistersAndPutsThePreviousDefaultsBack) {
    TTempDir dir;
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    ZelCreateFolders(dir.File("config"));
    std::string list = dir.File("config/mimeapps.list");
    std::string before =
        "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
        "[Default Applications]\ntext/plain=gedit.desktop;\nimage/png=eog.desktop;\n";
    ZelWriteFileAtomic(list, before);
    TZelEditorAssociation norvel{"norvel-editor.desktop", "Norvel", "txt file", "/opt/nv bin/NV",
                                 ZelMimeTypesOfExtension("txt")};
    EXPECT_FALSE(ZelIsDefaultEditor(norvel.DesktopId, norvel.MimeTypes));
    ZelRegisterDefaultEditor(norvel);
    ZelRegisterDefaultEditor(norvel); // twice: the first default is still the one remembered
    EXPECT_TRUE(ZelIsDefaultEditor(norvel.DesktopId, norvel.MimeTypes));
    std::string registered = ZelReadWholeFile(list);
    EXPECT_NE(
        registered.find(
            "[Default Applications]\ntext/plain=norvel-editor.desktop;\nimage/png=eog.desktop;"),
        std::string::npos)
        << registered;
    std::string entry = ZelReadWholeFile(dir.File("data/applications/norvel-editor.desktop"));
    EXPECT_NE(entry.find("Exec=\"/opt/nv bin/NV\" %f"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=text/plain;"), std::string::npos) << entry;
    ZelUnregisterDefaultEditor(norvel.DesktopId);
    EXPECT_EQ(ZelReadWholeFile(list), before);
    EXPECT_FALSE(ZelFileExists(dir.File("data/applications/norvel-editor.desktop")));
    EXPECT_FALSE(ZelIsDefaultEditor(norvel.DesktopId, norvel.MimeTypes));

    // Without a list or a section, one is made, and undone to no default at all.
    ZelRemoveFile(list);
    TZelEditorAssociation rtf{"norvel-editor.desktop", "Norvel", "rtf file", "/usr/bin/NV",
                              ZelMimeTypesOfExtension("rtf")};
    ZelRegisterDefaultEditor(rtf);
    EXPECT_TRUE(ZelIsDefaultEditor(rtf.DesktopId, {"application/rtf", "text/rtf"}));
    ZelUnregisterDefaultEditor(rtf.DesktopId);
    EXPECT_EQ(ZelReadWholeFile(list), "[Default Applications]\n");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
}
