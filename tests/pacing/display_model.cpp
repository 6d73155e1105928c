#include "display_model.h"

#include "platform/tick_count.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

struct ModelState {
    DisplayModelSettings settings;
    double now = 0.0;
    int sleeps = 0;
    std::vector<std::int64_t> presented;
    std::deque<std::int64_t> waitingToBeShown; // refreshes of queued presents
};

ModelState model;

double refreshMs()
{
    return 1000.0 / model.settings.refreshHz;
}

// The display refreshes at the start and every refreshMs after it; a
// refresh is counted from the start. Moments within a rounding error of a
// refresh count as on it.
constexpr double onRefresh = 1e-7;

double refreshesSinceStart(double moment)
{
    return (moment - model.settings.startMs) / refreshMs();
}

std::int64_t refreshAtOrAfter(double moment)
{
    return static_cast<std::int64_t>(std::ceil(refreshesSinceStart(moment) - onRefresh));
}

std::int64_t refreshAfter(double moment)
{
    return static_cast<std::int64_t>(std::floor(refreshesSinceStart(moment) + onRefresh)) + 1;
}

double refreshTime(std::int64_t refresh)
{
    return model.settings.startMs + static_cast<double>(refresh) * refreshMs();
}

void sleepUntilMoment(double moment)
{
    if (!(moment > model.now))
        return;
    model.now = moment + model.settings.wakeLatenessMs;
    const int every = model.settings.slowWakeEvery;
    if (every > 0 && ++model.sleeps % every == 0)
        model.now += model.settings.slowWakeMs;
}

} // namespace

namespace displayModel {

void start(const DisplayModelSettings& settings)
{
    model = ModelState{};
    model.settings = settings;
    model.now = settings.startMs;
}

double now()
{
    return model.now;
}

void spend(double ms)
{
    model.now += ms;
}

const std::vector<std::int64_t>& presentedRefreshes()
{
    return model.presented;
}

} // namespace displayModel

void ModelDisplay::sleepUntil(double ms)
{
    sleepUntilMoment(ms);
}

void ModelDisplay::present()
{
    if (model.settings.presentWaits) {
        // Shown at the next refresh that no earlier present holds; a
        // present that arrives exactly on a refresh has missed it.
        std::int64_t refresh = refreshAfter(model.now);
        if (!model.presented.empty() && refresh <= model.presented.back())
            refresh = model.presented.back() + 1;
        model.presented.push_back(refresh);
        std::deque<std::int64_t>& queue = model.waitingToBeShown;
        queue.push_back(refresh);
        while (!queue.empty() && refreshTime(queue.front()) <= model.now)
            queue.pop_front();
        // Returns once no more than the queue holds are still to be shown.
        while (static_cast<int>(queue.size()) > model.settings.queuedPresents) {
            model.now = std::max(model.now, refreshTime(queue.front()));
            queue.pop_front();
        }
        return;
    }
    model.now += model.settings.presentCostMs;
    model.presented.push_back(refreshAtOrAfter(model.now));
}

std::uint32_t tickCount()
{
    const double value = std::fmod(std::floor(model.now), 4294967296.0);
    model.now += model.settings.readingCostMs;
    return static_cast<std::uint32_t>(value);
}

void sleepUntilTick(double tick)
{
    // The model's tick count does not wrap within a test.
    sleepUntilMoment(tick);
}
