#include "ZelStagedOutput.h"

#include "ZelFiles.h"

#include <algorithm>
#include <vector>

TZelStagedOutput::TZelStagedOutput(const std::string& outputFolder) {
    Out = outputFolder.empty() || outputFolder.back() == '/' ? outputFolder : outputFolder + "/";
    ZelCreateFolders(outputFolder);
    Staging = ZelMakeTempFolder(outputFolder.empty() ? "." : outputFolder, ".zeldict-") + "/";
}

TZelStagedOutput::~TZelStagedOutput() {
    try {
        ZelRemoveTree(Staging.substr(0, Staging.size() - 1));
    } catch (...) {
        // What is left is a hidden folder; it never stands for a dictionary.
    }
}

void TZelStagedOutput::Commit(const std::function<bool(const std::string&)>& isOwnOutput) {
    std::vector<std::string> written = ZelListFolder(Staging);
    for (const std::string& name : written)
        ZelRenameFile(Staging + name, Out + name);
    for (const std::string& name : ZelListFolder(Out.empty() ? "." : Out))
        if (isOwnOutput(name) && !std::binary_search(written.begin(), written.end(), name))
            ZelRemoveFile(Out + name);
}
