// Every file the show reads, made in memory: seven pictures and the module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AssetFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The show's files, in the order of src/scene/show_files.def.
std::vector<AssetFile> makeShowAssets();

// Writes the files into an existing folder, each replacing any file of the
// same name as a whole. Returns the name of the first file that could not be
// written, or an empty string when all were written.
std::string writeShowAssets(const std::vector<AssetFile>& files, const std::string& folder);
