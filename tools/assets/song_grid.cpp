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

std::vector<XmPattern> SongGrid::toPatterns(const std::vector<int>& patternRows) const
{
    std::vector<XmPattern> patterns;
    int first = 0;
    for (int rows : patternRows) {
        XmPattern pattern(rows, channelCount);
        for (int row = 0; row < rows; ++row)
            for (int channel = 0; channel < channelCount; ++channel)
                pattern.at(row, channel) = at(first + row, channel);
        patterns.push_back(pattern);
        first += rows;
    }
    return patterns;
}
