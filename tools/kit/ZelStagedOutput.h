// A build of a dictionary's files that either completes or changes nothing. The compilers
// write into a staging folder inside the output folder (so on the same file system), open
// and prove what they wrote there, and only then move each file into the output folder by
// renaming it over the old one: a failed compile leaves the previous build untouched, and
// programs that have the old files mapped keep reading them.
#pragma once

#include <functional>
#include <string>

class TZelStagedOutput {
public:
    // Creates the output folder when missing, and the staging folder in it.
    explicit TZelStagedOutput(const std::string& outputFolder);
    // Removes the staging folder with whatever is still in it.
    ~TZelStagedOutput();
    TZelStagedOutput(const TZelStagedOutput&) = delete;
    TZelStagedOutput& operator=(const TZelStagedOutput&) = delete;

    // The staging folder and the output folder, each ending with "/".
    const std::string& Folder() const { return Staging; }
    const std::string& Output() const { return Out; }

    // Moves every staged file into the output folder, then removes the files of the output
    // folder that isOwnOutput recognises (by exact name) as an earlier build's and that this
    // build did not write. Nothing else in the output folder is touched.
    void Commit(const std::function<bool(const std::string& fileName)>& isOwnOutput);

private:
    std::string Out;
    std::string Staging;
};
