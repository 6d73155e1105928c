// The show's entry point on the desktop (Linux): nothing to set up before
// the show.
#include "app/show_main.h"

int main(int argc, char** argv)
{
    return runShow(argc, argv);
}
