// velorane_soak [events] [seed] [seconds]: the long soak of the real program, by
// hand. Sends the byte sweep and `events` random events (20000 unless given) from
// `seed` (the time unless given; it is printed for a replay), for at most `seconds`
// (3600 unless given), and prints the events sent, the resident memory at start, after
// the warm-up and at the end, and the exit status after Esc. Exits 0 when the program
// kept running, its memory stopped growing and Esc ended it with status 0.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "tests/soak/soak.h"

// Growth of resident memory allowed between the warm-up and the end, in KiB.
static const long kAllowedGrowthKb = 4096;

int main(int argc, char** argv) {
  SoakOptions options;
  options.events = argc > 1 ? std::atol(argv[1]) : 20000;
  options.seed = argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10))
                          : static_cast<std::uint32_t>(std::time(nullptr));
  options.maxSeconds = argc > 3 ? std::atof(argv[3]) : 3600.0;
  options.verbose = true;
  // VELORANE_SOAK_TRACE=1 prints every xdotool command sent, for a replay by hand.
  const char* trace = std::getenv("VELORANE_SOAK_TRACE");
  options.trace = trace != nullptr && trace[0] == '1';
  std::printf("soak: %ld random events, seed %u (replay: velorane_soak %ld %u)\n",
              options.events, options.seed, options.events, options.seed);
  std::fflush(stdout);
  SoakResult result;
  const bool passed = runSoak(options, kAllowedGrowthKb, &result);
  std::printf("%s%s\n", describeSoak(options, result).c_str(), passed ? "PASSED" : "FAILED");
  return passed ? 0 : 1;
}
