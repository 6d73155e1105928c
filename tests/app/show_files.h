// Files the show reads, made for the tests: the seven pictures at the sizes
// the scene asks for, and small tracker modules that play an audible tune.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The seven pictures the scene loads, as "data1.pcx".. "data7.pcx" in the
// folder, patterned so that every effect draws something visible; except
// the one named in skip, if any. False when a file can't be written.
bool writeShowPictures(const std::string& folder, const std::string& skip = "");

// A two-channel Extended Module (.xm) of one 64-row pattern that loops a
// square-wave tune.
std::vector<std::uint8_t> makeXmModule();

// A four-channel ProTracker module (.mod, "M.K.") with the same kind of tune:
// a valid module of another format.
std::vector<std::uint8_t> makeModModule();

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
