// A set of the seven show pictures made for the tests: the right sizes, with
// simple deterministic patterns (striped cards, a round glow, rolling hills
// whose blue byte is the height), so that every effect draws something.
#pragma once

#include <string>

// Writes data1.pcx .. data7.pcx into folder.
void writeShowPictures(const std::string& folder);

// The file name, width and height of picture number 1..7.
struct ShowPicture {
    const char* name;
    int width;
    int height;
};
const ShowPicture& showPicture(int number);
