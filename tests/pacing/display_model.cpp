#include "display_model.h"

#include <algorithm>
#include <cmath>

namespace {

// The display refreshes at the start and every refresh period after it; a
// refresh is counted from the start. Moments within a rounding error of a
// refresh count as on it.
constexpr double onRefresh = 1e-7;

} // namespace

DisplayModel::DisplayModel(const DisplayModelSettings& settings) : settings(settings), time(settings.startMs)
{
}

double DisplayModel::refreshesSinceStart(double moment) const
{
    return (moment - settings.startMs) / refreshMs();
}

std::int64_t DisplayModel::refreshAtOrAfter(double moment) const
{
    return static_cast<std::int64_t>(std::ceil(refreshesSinceStart(moment) - onRefresh));
}

std::int64_t DisplayModel::refreshAfter(double moment) const
{
    return static_cast<std::int64_t>(std::floor(refreshesSinceStart(moment) + onRefresh)) + 1;
}

double DisplayModel::refreshTime(std::int64_t refresh) const
{
    return settings.startMs + static_cast<double>(refresh) * refreshMs();
}

void DisplayModel::sleepUntil(double moment)
{
    if (!(moment > time))
        return;
    time = moment + settings.wakeLatenessMs;
    if (settings.slowWakeEvery > 0 && ++sleeps % settings.slowWakeEvery == 0)
        time += settings.slowWakeMs;
}

void DisplayModel::present()
{
    if (settings.presentWaits) {
        // Shown at the next refresh that no earlier present holds; a
        // present that arrives exactly on a refresh has missed it.
        std::int64_t refresh = refreshAfter(time);
        if (!presented.empty() && refresh <= presented.back())
            refresh = presented.back() + 1;
        presented.push_back(refresh);
        waitingToBeShown.push_back(refresh);
        while (!waitingToBeShown.empty() && refreshTime(waitingToBeShown.front()) <= time)
            waitingToBeShown.pop_front();
        // Returns once no more than the queue holds are still to be shown.
        while (static_cast<int>(waitingToBeShown.size()) > settings.queuedPresents) {
            time = std::max(time, refreshTime(waitingToBeShown.front()));
            waitingToBeShown.pop_front();
        }
        return;
    }
    time += settings.presentCostMs;
    presented.push_back(refreshAtOrAfter(time));
}

std::uint32_t DisplayModel::count()
{
    const double value = std::fmod(std::floor(time), 4294967296.0);
    time += settings.readingCostMs;
    return static_cast<std::uint32_t>(value);
}
