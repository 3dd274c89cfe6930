#pragma once
// Folders of the tests' own below the temporary folder of the machine (of the Wine prefix).
#include <string>

namespace korva::testing {

// A fresh, empty folder for the running test: "<temp>\r7716 <tag> <process id> <test name>"
// (blanks included, as paths under Program Files have them); what an earlier run left there
// is removed first. When it goes, the working directory is put back as it found it and the
// folder is removed with everything below it.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder; empty when it could not be made.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string savedDirectory_;
};

}  // namespace korva::testing
