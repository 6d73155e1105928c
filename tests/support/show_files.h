// The show's files made for the tests, one for each entry of the show's
// table (scene/show_files.def): every picture at the size the scene loads
// it, with a simple deterministic pattern (striped cards, a round glow,
// rolling hills whose blue byte is the height) so that every effect draws
// something, and a small tracker tune as the music.
#pragma once

#include "scene/show_facts.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes them into folder. False when a file can't be written.
bool writeShowFiles(const std::string& folder);

// The bytes written for one of them.
std::vector<std::uint8_t> showFileBytes(const show::File& file);

// The pictures: the entries of the table with a size, numbered from 1.
constexpr int countShowPictures()
{
    int count = 0;
    for (const show::File& file : show::files)
        count += file.width > 0 ? 1 : 0;
    return count;
}
constexpr int showPictureCount = countShowPictures();
const show::File& showPicture(int number);

// A two-channel Extended Module (.xm) of one 64-row pattern that loops a
// square-wave tune: the tests' music.
std::vector<std::uint8_t> makeXmModule();

// A four-channel ProTracker module (.mod, "M.K.") with the same kind of tune:
// a valid module of another format.
std::vector<std::uint8_t> makeModModule();
