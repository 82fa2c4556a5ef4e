#include "ZelFileAssociation.h"

#include "ZelFiles.h"

#include <map>
#include <sstream>

namespace {

const char* const DefaultsSection = "[Default Applications]";
const char* const PreviousPrefix = "X-Norvel-Previous-";

std::string MimeAppsPath() {
    return ZelUserConfigFolder() + "/mimeapps.list";
}

std::string DesktopPath(const std::string& desktopId) {
    return ZelUserDataFolder() + "/applications/" + desktopId;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string ReadIfPresent(const std::string& path) {
    return ZelFileExists(path) ? ZelReadWholeFile(path) : std::string();
}

// The "[Default Applications]" entries of mimeapps.list, and setting or removing one while
// every other line stays as it was.
class TMimeApps {
public:
    TMimeApps() : Text(Lines(ReadIfPresent(MimeAppsPath()))) {}

    std::string Get(const std::string& mimeType) const {
        for (size_t i = SectionStart(); i < SectionEnd(); ++i)
            if (KeyOf(Text[i]) == mimeType)
                return Text[i].substr(mimeType.size() + 1);
        return {};
    }

    void Set(const std::string& mimeType, const std::string& value) {
        size_t start = SectionStart();
        if (start == Text.size() + 1) {
            Text.push_back(DefaultsSection);
            start = Text.size();
        }
        for (size_t i = start; i < SectionEnd(); ++i)
            if (KeyOf(Text[i]) == mimeType) {
                if (value.empty())
                    Text.erase(Text.begin() + long(i));
                else
                    Text[i] = mimeType + "=" + value;
                return;
            }
        if (!value.empty())
            Text.insert(Text.begin() + long(SectionEnd()), mimeType + "=" + value);
    }

    void Save() {
        ZelCreateFolders(ZelUserConfigFolder());
        ZelWriteFileAtomic(MimeAppsPath(), Joined(Text));
    }

private:
    static std::string KeyOf(const std::string& line) {
        size_t equals = line.find('=');
        return equals == std::string::npos ? std::string() : line.substr(0, equals);
    }
    // The first line after the section's heading; size() + 1 when there is no section.
    size_t SectionStart() const {
        for (size_t i = 0; i < Text.size(); ++i)
            if (Text[i] == DefaultsSection)
                return i + 1;
        return Text.size() + 1;
    }
    size_t SectionEnd() const {
        size_t i = SectionStart();
        if (i > Text.size())
            return Text.size();
        while (i < Text.size() && (Text[i].empty() || Text[i][0] != '['))
            ++i;
        // Blank lines at the section's end stay after it.
        while (i > SectionStart() && Text[i - 1].empty())
            --i;
        return i;
    }

    std::vector<std::string> Text;
};

std::string Quoted(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::vector<std::string> ZelMimeTypesOfExtension(const std::string& extension) {
    if (extension == "rtf")
        return {"application/rtf", "text/rtf"};
    if (extension == "txt")
        return {"text/plain"};
    return {};
}

void ZelRegisterDefaultEditor(const TZelEditorAssociation& association) {
    TMimeApps apps;
    // What is replaced is remembered once: registering again keeps the first defaults.
    std::map<std::string, std::string> previous;
    for (const std::string& line : Lines(ReadIfPresent(DesktopPath(association.DesktopId))))
        if (line.rfind(PreviousPrefix, 0) == 0) {
            size_t equals = line.find('=');
            previous[line.substr(std::string(PreviousPrefix).size(),
                                 equals - std::string(PreviousPrefix).size())] =
                line.substr(equals + 1);
        }
    std::string entry = "[Desktop Entry]\nType=Application\nName=" + association.Name +
                        "\nComment=" + association.Comment +
                        "\nExec=" + Quoted(association.ProgramPath) +
                        " %f\nTerminal=false\nNoDisplay=true\nMimeType=";
    for (const std::string& type : association.MimeTypes)
        entry += type + ";";
    entry += "\n";
    for (const std::string& type : association.MimeTypes) {
        if (!previous.count(type)) {
            std::string old = apps.Get(type);
            previous[type] = old == association.DesktopId + ";" ? std::string() : old;
        }
        entry += PreviousPrefix + type + "=" + previous[type] + "\n";
    }
    ZelCreateFolders(ZelUserDataFolder() + "/applications");
    ZelWriteFileAtomic(DesktopPath(association.DesktopId), entry);
    for (const std::string& type : association.MimeTypes)
        apps.Set(type, association.DesktopId + ";");
    apps.Save();
}

void ZelUnregisterDefaultEditor(const std::string& desktopId) {
    std::string path = DesktopPath(desktopId);
    if (!ZelFileExists(path))
        return;
    TMimeApps apps;
    for (const std::string& line : Lines(ZelReadWholeFile(path))) {
        if (line.rfind(PreviousPrefix, 0) != 0)
            continue;
        size_t equals = line.find('=');
        std::string type = line.substr(std::string(PreviousPrefix).size(),
                                       equals - std::string(PreviousPrefix).size());
        // A default the user chose since is left alone.
        if (apps.Get(type) == desktopId + ";")
            apps.Set(type, line.substr(equals + 1));
    }
    apps.Save();
    ZelRemoveFile(path);
}

bool ZelIsDefaultEditor(const std::string& desktopId, const std::vector<std::string>& mimeTypes) {
    if (mimeTypes.empty() || !ZelFileExists(DesktopPath(desktopId)))
        return false;
    TMimeApps apps;
    for (const std::string& type : mimeTypes)
        if (apps.Get(type) != desktopId + ";")
            return false;
    return true;
}
