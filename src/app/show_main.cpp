// The Demo lives here for the whole show; the frame loop ends the process
// itself, so run() returns only when the show could not start.
#include "app/show_main.h"

#include "app/demo.h"
#include "app/show_start.h"

#include <memory>

int runShow(int argc, const char* const* argv)
{
    int status = 0;
    if (!prepareShow(argc, argv, status))
        return status;
    std::unique_ptr<Demo> demo = std::make_unique<Demo>(TickSource::platform());
    if (!demo->run())
        demo->reportRefusal();
    demo.reset();
    return 0;
}
