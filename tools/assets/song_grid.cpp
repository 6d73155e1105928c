#include "song_grid.h"

SongGrid::SongGrid(int rowCount, int channelCount)
    : rowCount(rowCount), channelCount(channelCount),
      cells(static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(channelCount))
{
}

XmEvent& SongGrid::at(int row, int channel)
{
    const int wrapped = ((row % rowCount) + rowCount) % rowCount;
    return cells[static_cast<std::size_t>(wrapped) * channelCount + channel];
}

const XmEvent& SongGrid::at(int row, int channel) const
{
    const int wrapped = ((row % rowCount) + rowCount) % rowCount;
    return cells[static_cast<std::size_t>(wrapped) * channelCount + channel];
}

std::vector<XmPattern> SongGrid::toPatterns(int patternRows) const
{
    std::vector<XmPattern> patterns;
    for (int first = 0; first < rowCount; first += patternRows) {
        XmPattern pattern(patternRows, channelCount);
        for (int row = 0; row < patternRows && first + row < rowCount; ++row)
            for (int channel = 0; channel < channelCount; ++channel)
                pattern.at(row, channel) = at(first + row, channel);
        patterns.push_back(pattern);
    }
    return patterns;
}
