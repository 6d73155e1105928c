#include "app/show_folder.h"

#include <climits>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const showFiles[] = {"demo.xm",   "data1.pcx", "data2.pcx", "data3.pcx",
                                 "data4.pcx", "data5.pcx", "data6.pcx", "data7.pcx"};

bool exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::string thisProgram()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return std::string();
    return std::string(path, static_cast<std::size_t>(length));
}

} // namespace

bool holdsShowFiles(const std::string& folder)
{
    for (const char* name : showFiles) {
        if (!exists(folder + "/" + name))
            return false;
    }
    return true;
}

std::string installedDataFolder(const std::string& programPath, const std::string& relativeDataFolder)
{
    const std::size_t slash = programPath.rfind('/');
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
    const std::string folder = chooseShowFolder(".", installedDataFolder(thisProgram(), KELVOR_DATA_FROM_PROGRAM));
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "kelvor: cannot enter %s; reading the working directory\n", folder.c_str());
}
