// Making the program the user's default editor of a kind of file, the way the desktop
// keeps it (freedesktop.org): a desktop entry of the program in the user's applications
// folder ($XDG_DATA_HOME/applications) and the default application of each MIME type in
// the user's mimeapps.list ($XDG_CONFIG_HOME). The defaults it replaces are remembered in
// its desktop entry, so that unregistering puts them back.
#pragma once

#include <string>
#include <vector>

struct TZelEditorAssociation {
    std::string DesktopId;   // "norvel-editor.desktop"
    std::string Name;        // "Norvel"
    std::string Comment;     // "txt file"
    std::string ProgramPath; // the executable
    std::vector<std::string> MimeTypes;
};

// The MIME types of a file extension ("txt": text/plain; "rtf": application/rtf, text/rtf).
std::vector<std::string> ZelMimeTypesOfExtension(const std::string& extension);

// Raises EZelOSError when a file cannot be written; nothing is half written.
void ZelRegisterDefaultEditor(const TZelEditorAssociation& association);
// Puts back the defaults the registration replaced and removes the desktop entry.
void ZelUnregisterDefaultEditor(const std::string& desktopId);
// Whether the desktop entry is the default of every one of the MIME types.
bool ZelIsDefaultEditor(const std::string& desktopId, const std::vector<std::string>& mimeTypes);
