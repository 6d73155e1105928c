// Where the show reads its files: the working folder when it holds all
// eight, otherwise the installed data folder beside the program.
#include "app/show_folder.h"
#include "scene/show_facts.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

class ShowFolder : public ::testing::Test {
protected:
    std::string folder(const std::string& name)
    {
        const std::string path = root / name;
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
        for (const show::File& file : show::files)
            touch(path + "/" + file.name);
    }

    const TemporaryFolder root;
};

TEST_F(ShowFolder, HoldsTheFilesOnlyWhenAllEightAreThere)
{
    const std::string show = folder("show");
    EXPECT_FALSE(holdsShowFiles(show));
    fill(show);
    EXPECT_TRUE(holdsShowFiles(show));
    for (const show::File& file : show::files) {
        const std::string path = show + "/" + file.name;
        std::remove(path.c_str());
        EXPECT_FALSE(holdsShowFiles(show)) << file.name << " missing";
        touch(path);
    }
    EXPECT_FALSE(holdsShowFiles(root / "no-such-folder"));
}

TEST_F(ShowFolder, ADamagedFileStillCountsAsThere)
{
    // The show reports a picture it cannot load; it must not silently read
    // another folder's instead.
    const std::string show = folder("show");
    fill(show);
    const std::string picture = show + "/" + show::file(show::Part::title3).name;
    std::remove(picture.c_str());
    mkdir(picture.c_str(), 0755);
    EXPECT_TRUE(holdsShowFiles(show));
}

TEST_F(ShowFolder, TheWorkingFolderComesFirstThenTheInstalledOne)
{
    const std::string working = folder("working");
    const std::string installed = folder("installed");
    EXPECT_EQ(chooseShowFolder(working, installed), "") << "neither: stay, so that the show names what is missing";
    fill(installed);
    EXPECT_EQ(chooseShowFolder(working, installed), installed);
    touch(working + "/" + show::file(show::Part::music).name);
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
