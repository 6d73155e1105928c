// A one-line progress bar on stderr (frames done, rate, time left), drawn
// only when stderr is a terminal.
#pragma once

#include <chrono>

class ProgressBar {
public:
    explicit ProgressBar(long total);
    void update(long done);
    void finish();

private:
    using Clock = std::chrono::steady_clock;
    long total;
    bool enabled;
    Clock::time_point start;
    Clock::time_point lastDrawn;
};
