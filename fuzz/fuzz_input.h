// Reading a fuzz input as a stream of arguments: floats taken bit for bit
// from the input (so NaN, infinities, denormals and huge values all come up),
// ints, small choices and byte strings. Builds on libFuzzer's data provider.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>

// A float made of the next four bytes of the input, any bit pattern.
inline float anyFloat(FuzzedDataProvider* input) {
  const std::uint32_t bits = input->ConsumeIntegral<std::uint32_t>();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Any int, from INT_MIN to INT_MAX.
inline int anyInt(FuzzedDataProvider* input) { return input->ConsumeIntegral<int>(); }

// A number from 0 to count - 1.
inline int choice(FuzzedDataProvider* input, int count) {
  return input->ConsumeIntegralInRange<int>(0, count - 1);
}

// A text of any bytes but zero (it ends the text), up to maxLength bytes.
inline std::string anyText(FuzzedDataProvider* input, size_t maxLength) {
  return input->ConsumeRandomLengthString(maxLength);
}
