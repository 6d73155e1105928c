// A fresh, empty folder for one test under $TMPDIR (else /tmp), removed
// with everything in it when the object goes: a run of the suite leaves
// nothing behind, whichever way a test ends short of a crash.
#pragma once

#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }

private:
    std::string folder;
};
