// A soak of the real program: starts `velorane` on the display and sends it a
// long stream of random events from a fixed seed (every byte value as a key in
// both windows, special keys under every modifier combination, modified left
// drags, the right-button menu opened and dismissed, resizes down to 1 x 1,
// full-screen toggles), bounded in count and in time. It watches that the
// program keeps running and measures its resident memory, then ends it with
// Esc. The same seed and count replay the same events.
#pragma once

#include <cstdint>
#include <string>

// What to send.
struct SoakOptions {
  long events = 1000;        // random events after the byte sweep
  std::uint32_t seed = 1;    // seed of the event stream
  double maxSeconds = 600;   // stop sending after this long, in seconds
  double warmupShare = 0.5;  // share of the random events counted as warm-up
  bool verbose = false;      // print progress to standard output
  bool trace = false;        // print every xdotool command to standard error
};

// What happened.
struct SoakResult {
  long eventsSent = 0;   // byte sweep plus random events, as sent
  long sweepEvents = 0;  // of which the byte sweep (every byte in both windows)
  long rssStartKb = -1;  // resident memory once both windows had drawn, in KiB
  long rssWarmKb = -1;   // after the warm-up, windows back at their first sizes
  long rssEndKb = -1;    // after the last event, windows back at their first sizes
  long rssPeakKb = -1;   // highest figure seen between batches
  // Lowest figure of the last quarter of the random events (read every 250
  // events) and the end: the floor that a leak raises, while a frame buffer
  // that comes and goes with full screen (about 5 MB) only makes figures jump.
  long rssLateFloorKb = -1;
  long menusOpened = 0;      // quit menus seen to open and then to close again
  double seconds = 0;        // time spent sending events, in seconds
  bool keptRunning = false;  // the program was running after every batch
  int exitStatus = -1;       // status after the final Esc (-1: it did not end)
  std::string failure;       // empty, or what went wrong and at which event
};

// The xdotool key that makes the program's keyboard callback receive `byte`
// (0 to 255), or "" for the bytes that must not be sent: Esc (27) ends the
// program. Control bytes come from Ctrl with a letter or sign (never Ctrl with
// "[", "{" or "3", which give Esc), 127 from Delete, the rest from the keysym
// of the same Latin-1 code (with Shift for the capitals 0xC0 to 0xDE).
std::string keyForByte(int byte);

// Run the soak; true when the program kept running, its memory after the
// warm-up did not grow by more than `allowedGrowthKb`, and Esc ended it with
// status 0. The program is ended (Esc, or killed) in every case.
bool runSoak(const SoakOptions& options, long allowedGrowthKb, SoakResult* result);

// One line per figure of the result, for people.
std::string describeSoak(const SoakOptions& options, const SoakResult& result);
