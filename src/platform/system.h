// The few system services the show uses besides window and sound.
#pragma once

#include <string>

// Writes "caption: text" to stderr, then shows a message box with an OK
// button and waits until it is dismissed; without a display only the stderr
// line appears.
void messageBox(const char* text, const char* caption);

// The window in front when the show starts, handed to the audio output. The
// live layer has no use for it and gives null.
void* foregroundWindow();

// Ends the show once the music is stopped: on the desktop the process ends
// with status 0 (and the window closes with it); in the browser the frame
// loop stops and the page says that the show has ended.
void endShow();

// The full path of the running program, UTF-8; empty when it cannot be
// found. The show looks for its installed files relative to it.
std::string programPath();
