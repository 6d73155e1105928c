/* Frame presentation probe, loaded into the running show with LD_PRELOAD.
 * It stands in front of SDL_RenderPresent, notes the monotonic time of every
 * presented frame, and when the process ends writes them, one per line in
 * nanoseconds, to the file named by KELVOR_PRESENT_LOG. The show itself is
 * not rebuilt or changed for the measurement. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { maxFrames = 1 << 20 };

static long long presentTimes[maxFrames];
static int presentCount;

void SDL_RenderPresent(void* renderer)
{
    static void (*realPresent)(void*);
    if (realPresent == NULL) {
        /* dlsym gives functions as object pointers; POSIX allows the copy. */
        void* symbol = dlsym(RTLD_NEXT, "SDL_RenderPresent");
        memcpy(&realPresent, &symbol, sizeof realPresent);
    }
    realPresent(renderer);
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (presentCount < maxFrames)
        presentTimes[presentCount++] = now.tv_sec * 1000000000LL + now.tv_nsec;
}

__attribute__((destructor)) static void writePresentTimes(void)
{
    const char* path = getenv("KELVOR_PRESENT_LOG");
    FILE* file = path != NULL ? fopen(path, "w") : NULL;
    if (file == NULL)
        return;
    for (int i = 0; i < presentCount; ++i)
        fprintf(file, "%lld\n", presentTimes[i]);
    fclose(file);
}
