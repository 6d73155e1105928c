#include "song_tempo.h"

#include "song_sections.h"

namespace {

constexpr int kBeatsPerMinute = 126;
// Speed 5 at 126 and then speed 5 at 175 beats per minute: 8.6 ticks of 126,
// the 0.4 of a beat that ends the cycle less the tick given to the long row.
constexpr int kTailSpeed = 5;
constexpr int kTailBeatsPerMinute = 175;
constexpr std::uint8_t kSetSpeedOrTempo = 0x0F;

// Values below 32 set the speed (ticks per row), others the tempo.
void command(SongGrid& grid, int row, int value)
{
    for (int channel = grid.channels() - 1; channel >= 0; --channel) {
        XmEvent& cell = grid.at(row, channel);
        if (cell.effect == 0 && cell.parameter == 0) {
            cell.effect = kSetSpeedOrTempo;
            cell.parameter = static_cast<std::uint8_t>(value);
            return;
        }
    }
}

} // namespace

void writeTempo(SongGrid& grid, int longRow)
{
    // Both set again on the first row, for when the song loops.
    command(grid, 0, kOpeningBeatsPerMinute);
    command(grid, 0, kSpeed);
    command(grid, 1, kBeatsPerMinute);
    command(grid, longRow, kSpeed + 1);
    command(grid, longRow + 1, kSpeed);
    command(grid, grid.rows() - 2, kTailSpeed);
    command(grid, grid.rows() - 1, kTailBeatsPerMinute);
}
