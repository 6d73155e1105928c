#include "app/show_folder.h"

#include "platform/system.h"
#include "scene/show_facts.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// Windows takes either slash between folders; elsewhere a backslash is
// part of a name.
#ifdef _WIN32
const char* const folderSeparators = "/\\";
#else
const char* const folderSeparators = "/";
#endif

// Paths are UTF-8 strings; u8path keeps them so on Windows too, where the
// narrow file functions would read them in the local code page.
std::filesystem::path pathOf(const std::string& name)
{
    return std::filesystem::u8path(name);
}

// Anything under the name counts, a dangling link too (not followed).
bool exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(pathOf(path), error));
}

} // namespace

bool holdsShowFiles(const std::string& folder)
{
    for (const show::File& file : show::files) {
        if (!exists(folder + "/" + file.name))
            return false;
    }
    return true;
}

std::string installedDataFolder(const std::string& programPath, const std::string& relativeDataFolder)
{
    const std::size_t slash = programPath.find_last_of(folderSeparators);
    if (slash == std::string::npos)
        return std::string();
    return programPath.substr(0, slash + 1) + relativeDataFolder;
}

std::string chooseShowFolder(const std::string& workingFolder, const std::string& installedFolder)
{
    if (holdsShowFiles(workingFolder) || installedFolder.empty() || !holdsShowFiles(installedFolder))
        return std::string();
    return installedFolder;
}

void enterShowFolder()
{
    const std::string folder = chooseShowFolder(".", installedDataFolder(programPath(), KELVOR_DATA_FROM_PROGRAM));
    if (folder.empty())
        return;
    std::error_code error;
    std::filesystem::current_path(pathOf(folder), error);
    if (error)
        std::fprintf(stderr, "kelvor: cannot enter %s; reading the working directory\n", folder.c_str());
}
