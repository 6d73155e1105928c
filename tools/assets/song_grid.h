// The whole piece as one long sheet of rows before it is cut into patterns,
// so that parts can be written by their time in the song and an echo can
// run across pattern borders and round the loop.
#pragma once

#include "xm_module.h"

#include <vector>

class SongGrid {
public:
    SongGrid(int rowCount, int channelCount);

    int rows() const { return rowCount; }
    int channels() const { return channelCount; }

    // The cell at a row of the song; rows past the end wrap to the start,
    // where the song loops to.
    XmEvent& at(int row, int channel);
    const XmEvent& at(int row, int channel) const;

    // Cuts the sheet into patterns of the given numbers of rows, in order.
    std::vector<XmPattern> toPatterns(const std::vector<int>& patternRows) const;

private:
    int rowCount;
    int channelCount;
    std::vector<XmEvent> cells;
};
