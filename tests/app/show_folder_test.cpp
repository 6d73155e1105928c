// Where the show reads its files: the working folder when it holds all
// eight, otherwise the installed data folder beside the program.
#include "app/show_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const names[] = {"demo.xm",   "data1.pcx", "data2.pcx", "data3.pcx",
                             "data4.pcx", "data5.pcx", "data6.pcx", "data7.pcx"};

class ShowFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kelvor-folder-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }

    std::string folder(const std::string& name)
    {
        const std::string path = root + "/" + name;
        mkdir(path.c_str(), 0755);
        return path;
    }
    static void touch(const std::string& path)
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        std::fclose(file);
    }
    static void fill(const std::string& path)
    {
        for (const char* name : names)
            touch(path + "/" + name);
    }

    std::string root;
};

TEST_F(ShowFolder, HoldsTheFilesOnlyWhenAllEightAreThere)
{
    const std::string show = folder("show");
    EXPECT_FALSE(holdsShowFiles(show));
    fill(show);
    EXPECT_TRUE(holdsShowFiles(show));
    for (const char* name : names) {
        const std::string path = show + "/" + name;
        std::remove(path.c_str());
        EXPECT_FALSE(holdsShowFiles(show)) << name << " missing";
        touch(path);
    }
    EXPECT_FALSE(holdsShowFiles(root + "/no-such-folder"));
}

TEST_F(ShowFolder, ADamagedFileStillCountsAsThere)
{
    // The show reports a picture it cannot load; it must not silently read
    // another folder's instead.
    const std::string show = folder("show");
    fill(show);
    std::remove((show + "/data3.pcx").c_str());
    mkdir((show + "/data3.pcx").c_str(), 0755);
    EXPECT_TRUE(holdsShowFiles(show));
}

TEST_F(ShowFolder, TheWorkingFolderComesFirstThenTheInstalledOne)
{
    const std::string working = folder("working");
    const std::string installed = folder("installed");
    EXPECT_EQ(chooseShowFolder(working, installed), "") << "neither: stay, so that the show names what is missing";
    fill(installed);
    EXPECT_EQ(chooseShowFolder(working, installed), installed);
    touch(working + "/demo.xm");
    EXPECT_EQ(chooseShowFolder(working, installed), installed) << "one file of eight is not the show";
    fill(working);
    EXPECT_EQ(chooseShowFolder(working, installed), "");
    EXPECT_EQ(chooseShowFolder(folder("empty"), ""), "") << "no installed folder known";
}

TEST(InstalledDataFolder, LiesAlongTheRelativePathFromTheProgramsFolder)
{
    EXPECT_EQ(installedDataFolder("/opt/kelvor/bin/kelvor", "../share/kelvor"), "/opt/kelvor/bin/../share/kelvor");
    EXPECT_EQ(installedDataFolder("/kelvor", "../share/kelvor"), "/../share/kelvor");
    EXPECT_EQ(installedDataFolder("kelvor", "../share/kelvor"), "") << "no folder in the path";
    EXPECT_EQ(installedDataFolder("", "../share/kelvor"), "");
}

} // namespace
