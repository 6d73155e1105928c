// What the show does before the Demo is built: read the command line, ask
// the console for the whole screen when wanted, and move to the folder that
// holds the show's files.
#pragma once

// True when the show should start. False when it should end at once with
// status (after --help, --version or a wrong option).
bool prepareShow(int argc, const char* const* argv, int& status);
