// The short soak of the real program: the byte sweep and a few hundred random events
// from a fixed seed, in well under a minute.
#include "tests/soak/soak.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

#ifdef VELORANE_SOAK_SANITIZED
// AddressSanitizer keeps freed blocks in quarantine, so the resident memory of a
// sanitized program grows by design; there LeakSanitizer's check at the program's
// exit, which makes the exit status other than 0, stands for the memory bound.
const long kAllowedGrowthKb = std::numeric_limits<long>::max();
#else
// Growth of resident memory allowed between the warm-up and the end, in KiB.
const long kAllowedGrowthKb = 4096;
#endif

TEST(KeyForByte, EveryByteButEscHasAKeyAndNoneUsesTheCtrlKeysThatGiveEsc) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string key = keyForByte(byte);
    if (byte == 27) {
      EXPECT_EQ(key, "") << "Esc would end the program";
      continue;
    }
    EXPECT_FALSE(key.empty()) << byte;
    for (const char* esc : {"ctrl+bracketleft", "ctrl+braceleft", "ctrl+3", "ctrl+0x5b",
                            "ctrl+0x7b", "ctrl+0x33", "Escape"}) {
      EXPECT_NE(key, esc) << byte;
    }
  }
  EXPECT_EQ(keyForByte(1), "ctrl+a");
  EXPECT_EQ(keyForByte(0xC9), "shift+0xc9");
  EXPECT_EQ(keyForByte(0xD7), "0xd7");
  EXPECT_EQ(keyForByte(256), "");
}

TEST(Soak, ProgramSurvivesEveryByteAndRandomEventsKeepsItsMemoryAndEndsOnEsc) {
  SoakOptions options;
  options.events = 400;
  options.seed = 20261209;
  options.maxSeconds = 90;
  SoakResult result;
  const bool passed = runSoak(options, kAllowedGrowthKb, &result);
  std::printf("%s", describeSoak(options, result).c_str());
  EXPECT_TRUE(result.keptRunning) << result.failure;
  EXPECT_EQ(result.sweepEvents, 2 * 255);
  EXPECT_GE(result.eventsSent, result.sweepEvents + 100);
  EXPECT_GT(result.menusOpened, 0) << "no quit menu was opened";
  EXPECT_EQ(result.exitStatus, 0) << result.failure;
  EXPECT_TRUE(passed) << result.failure;
}

}  // namespace
