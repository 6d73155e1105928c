// The show's entry point. The Demo lives here for the whole show; the frame
// loop ends the process itself, so run() returns only when the show could
// not start.
#include "app/demo.h"
#include "platform/system.h"

#include <memory>
#include <string>

int main()
{
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    if (!demo->run() && !demo->missingPicture().empty()) {
        const std::string text = "couldn't load " + demo->missingPicture();
        messageBox(text.c_str(), "err");
    }
    demo.reset();
    return 0;
}
