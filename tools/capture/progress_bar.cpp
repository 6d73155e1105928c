#include "progress_bar.h"

#include <cstdio>
#include <unistd.h>

ProgressBar::ProgressBar(long total)
    : total(total), enabled(isatty(STDERR_FILENO) == 1), start(Clock::now()), lastDrawn(start)
{
}

void ProgressBar::update(long done)
{
    if (!enabled)
        return;
    const Clock::time_point now = Clock::now();
    if (done < total && now - lastDrawn < std::chrono::milliseconds(100))
        return;
    lastDrawn = now;
    const double elapsed = std::chrono::duration<double>(now - start).count();
    const double rate = elapsed > 0 ? done / elapsed : 0;
    const double left = rate > 0 ? (total - done) / rate : 0;
    constexpr int kWidth = 30;
    const int filled = total > 0 ? static_cast<int>(kWidth * done / total) : kWidth;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %ld/%ld frames  %.0f fps  %.0f s left ", bar, done, total, rate,
                 left);
    std::fflush(stderr);
}

void ProgressBar::finish()
{
    if (enabled)
        std::fprintf(stderr, "\n");
}
