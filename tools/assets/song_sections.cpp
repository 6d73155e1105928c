#include "song_sections.h"

#include <sstream>
#include <vector>

std::string PlacedSection::chord(int bar) const
{
    std::istringstream words(section->chords);
    std::vector<std::string> names;
    for (std::string name; words >> name;)
        names.push_back(name);
    if (names.empty())
        return "Am";
    return names[static_cast<std::size_t>(bar) % names.size()];
}
