// Where the show finds its eight files. Started in a folder that holds all
// of them, it reads them there, by their plain names, as it always has.
// Anywhere else it reads them from the folder it was installed with, which
// lies at a fixed place relative to the program itself, so that any install
// prefix works. The show never writes there.
#pragma once

#include <string>

// True when every one of demo.xm and data1.pcx to data7.pcx exists in the
// folder. Existing is enough: a damaged file is still the show's to report.
bool holdsShowFiles(const std::string& folder);

// The installed data folder of a program at programPath, found by going
// from the program's folder along relativeDataFolder ("../share/kelvor";
// "." on Windows, where the files sit beside the program). On Windows a
// backslash separates folders as well as a slash.
std::string installedDataFolder(const std::string& programPath, const std::string& relativeDataFolder);

// The folder to read the files from: empty to stay in the working folder
// (it holds them, or the installed folder does not either, so that a missing
// file is reported as it always was), else the installed data folder.
std::string chooseShowFolder(const std::string& workingFolder, const std::string& installedFolder);

// Makes the chosen folder the working directory before the show loads
// anything, using this program's own location (programPath()). A folder
// that cannot be entered leaves the working directory as it was, and the
// show then reports its first missing file as usual.
void enterShowFolder();
