#include "music_theory.h"

#include <algorithm>
#include <cctype>

namespace {

// Semitones above C of the letters A to G.
constexpr int kLetterSemitones[] = {9, 11, 0, 2, 4, 5, 7};

// Pitch classes of A minor, rising from C.
constexpr int kScale[] = {0, 2, 4, 5, 7, 9, 11};

int pitchClassOfLetter(char letter)
{
    return kLetterSemitones[letter - 'A'];
}

// A pitch class moved into the octave that starts at `lowest`.
int placeFrom(int pitchClass, int lowest)
{
    int midi = lowest - lowest % 12 + pitchClass;
    while (midi < lowest)
        midi += 12;
    return midi;
}

} // namespace

int parsePitch(const std::string& name)
{
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        return -1;
    int semitone = pitchClassOfLetter(name[0]);
    std::size_t at = 1;
    if (name[at] == '#') {
        ++semitone;
        ++at;
    } else if (name[at] == 'b') {
        --semitone;
        ++at;
    }
    if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at])))
        return -1;
    return (name[at] - '0' + 1) * 12 + semitone;
}

std::uint8_t xmNote(int midi)
{
    return static_cast<std::uint8_t>(std::clamp(midi - 11, 1, 96));
}

std::array<int, 3> chordPitchClasses(const std::string& name)
{
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        return {9, 0, 4};
    const int root = pitchClassOfLetter(name[0]);
    const bool minor = name.size() > 1 && name[1] == 'm';
    return {root, (root + (minor ? 3 : 4)) % 12, (root + 7) % 12};
}

std::array<int, 3> padVoicing(const std::string& name)
{
    std::array<int, 3> notes{};
    const std::array<int, 3> classes = chordPitchClasses(name);
    for (std::size_t i = 0; i < 3; ++i)
        notes[i] = placeFrom(classes[i], 56);
    std::sort(notes.begin(), notes.end());
    return notes;
}

int bassRoot(const std::string& name)
{
    return placeFrom(chordPitchClasses(name)[0], 29);
}

int thirdBelowInKey(int midi)
{
    const int pitchClass = midi % 12;
    for (int degree = 0; degree < 7; ++degree) {
        if (kScale[degree] == pitchClass) {
            const int lower = kScale[(degree + 5) % 7]; // two scale steps down
            const int drop = (pitchClass - lower + 12) % 12;
            return midi - drop;
        }
    }
    return midi - 3;
}
