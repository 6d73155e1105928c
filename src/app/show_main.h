// The show from start to end, as every desktop entry point runs it once its
// process is set up: the command line, the data folder, then the Demo.
#pragma once

// Returns only when the show ended before it started: the exit status
// (after --help, --version, a wrong option, or a refused start). A show
// that ran ends the process itself from its frame loop.
int runShow(int argc, const char* const* argv);
