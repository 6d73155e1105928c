// The browser's tick count source: live (the page's clock) for the show,
// simulated for the frame checksums.
#pragma once

// From now on every tick count reading gives the next millisecond, from 0,
// as the capture tool's clock does: every clock update adds one step, and
// a sleep passes the readings it would have missed.
void useSimulatedTicks();
