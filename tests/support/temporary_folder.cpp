#include "support/temporary_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

TemporaryFolder::TemporaryFolder()
{
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        base = "/tmp";
    std::string pattern = (base / "kelvor-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(("cannot make a temporary folder " + pattern).c_str());
        std::abort();
    }
    folder = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
