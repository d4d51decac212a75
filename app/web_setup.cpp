// The diagram's set-up in the page's address (built for the browser only):
// the light's position, the view's turns from the keys and from the drags,
// the pan and the zoom, written as
//
//   light=-8.6,9.4,0.2&turn=27,17,0&drag=20,8,0&pan=1.5,-0.25&zoom=1.0824
//
// each part left out while it is as the program started, each number the
// shortest decimal that reads back to the same float, so that the address
// gives back the very floats the keys and drags had made. What an address may
// hold is what this file could have written, within what a lesson reaches;
// anything else is refused whole. Builds on the reflection model, the view
// manipulator and the page's entries (web/page_setup.h).
#include <GL/glut.h>
#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/model.h"
#include "app/windows.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "web/page_setup.h"

// The longest address read, in bytes (the longest this file writes is
// about 150), and the longest number in it, in characters.
static const size_t kLongestSetup = 256;
static const size_t kLongestNumber = 24;
// The most significant digits a float needs to read back the same.
static const int kFloatDigits = 9;

// One part of the address: its name, the floats it holds and the range each
// may take.
struct SetupPart {
  const char* name;
  float* values[3];
  int count;
  float minimum;
  float maximum;
};

// The parts in the order they are written. The light within 1000 scene units
// of the mirror's centre (5000 key presses from the start), the turns within
// 100 whole turns either way, the pan within 10000 scene units, the zoom
// within the manipulator's own bounds.
static const SetupPart kParts[] = {
    {"light", {&lightPosition.x, &lightPosition.y, &lightPosition.z}, 3, -1000.0f, 1000.0f},
    {"turn", {&keyRotationX, &keyRotationY, &keyRotationZ}, 3, -36000.0f, 36000.0f},
    {"drag", {&mouseRotationX, &mouseRotationY, &mouseRotationZ}, 3, -36000.0f, 36000.0f},
    {"pan", {&panX, &panY, nullptr}, 2, -10000.0f, 10000.0f},
    {"zoom", {&zoomFactor, nullptr, nullptr}, 1, 1e-6f, 1e6f},
};
static const int kPartCount = sizeof kParts / sizeof kParts[0];

// The set-up the program started with, taken at the page's first read.
static float startValues[kPartCount][3];
static bool started = false;
// The text of the latest write, and the part refused by the latest read.
static std::string written;
static std::string refused;

// Two floats that are the same bits (so 0 and -0 differ, as they do on screen).
static bool sameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The number of `text`, [-]digits[.digits][e[+|-]digits], as a float; NaN
// for any other text. Read in double, the digits as one whole number scaled by
// exact powers of ten, then rounded to float: within a few units of the
// double's last place, so every number of at most 9 digits (all this file
// writes) reads back as the float it was written from.
static float readNumber(const std::string& text) {
  const float notANumber = std::nanf("");
  if (text.empty() || text.size() > kLongestNumber) return notANumber;
  size_t i = 0;
  const bool negative = text[i] == '-';
  if (negative) ++i;
  // The digits without their point, and the power of ten they are scaled by.
  double whole = 0.0;
  int scale = 0;
  const auto digits = [&](bool fraction) {
    const size_t from = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      whole = whole * 10.0 + static_cast<double>(text[i] - '0');
      if (fraction) --scale;
    }
    return i > from;
  };
  if (!digits(false)) return notANumber;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits(true)) return notANumber;
  }
  if (i < text.size() && text[i] == 'e') {
    ++i;
    const bool below = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t from = i;
    int exponent = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      // Past 999 every number is 0 or infinite: the rest cannot matter.
      if (exponent < 1000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (i == from) return notANumber;
    scale += below ? -exponent : exponent;
  }
  if (i != text.size()) return notANumber;
  // 1e22 is the largest power of ten a double holds exactly.
  for (; scale < -22; scale += 22) whole /= 1e22;
  for (; scale > 22; scale -= 22) whole *= 1e22;
  double power = 1.0;
  for (int k = 0; k < (scale < 0 ? -scale : scale); ++k) power *= 10.0;
  whole = scale < 0 ? whole / power : whole * power;
  const float value = static_cast<float>(negative ? -whole : whole);
  return std::isfinite(value) ? value : notANumber;
}

// Append `value` as the shortest decimal that reads back to it: positional
// from 0.000001 up, with an exponent below ("1.5e-7").
static void appendNumber(std::string* out, float value) {
  char text[32];
  for (int digits = 1; digits <= kFloatDigits; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
    if (sameFloat(readNumber(text), value)) break;
  }
  // text is [-]d[.ddd]e(+|-)XX: the sign, the digits and the exponent.
  const char* p = text;
  std::string sign;
  if (*p == '-') {
    sign = "-";
    ++p;
  }
  std::string digits;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  out->append(sign);
  if (exponent < -6) {
    out->append(digits.substr(0, 1));
    if (digits.size() > 1) out->append(".").append(digits.substr(1));
    out->append("e").append(std::to_string(exponent));
  } else if (exponent < 0) {
    out->append("0.").append(static_cast<size_t>(-exponent - 1), '0').append(digits);
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out->append(digits).append(whole - digits.size(), '0');
    } else {
      out->append(digits.substr(0, whole)).append(".").append(digits.substr(whole));
    }
  }
}

// Read one part "name=n,n,n" into `values` (the part's index in `index`);
// false when the name is unknown or the numbers are not the part's.
static bool readPart(const std::string& part, int* index, float values[3]) {
  const size_t equals = part.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = part.substr(0, equals);
  for (int k = 0; k < kPartCount; ++k) {
    if (name != kParts[k].name) continue;
    *index = k;
    std::string rest = part.substr(equals + 1);
    for (int n = 0; n < kParts[k].count; ++n) {
      const size_t comma = rest.find(',');
      const bool last = n == kParts[k].count - 1;
      // The last number ends the part; every other ends at a comma.
      if (last != (comma == std::string::npos)) return false;
      values[n] = readNumber(rest.substr(0, comma));
      if (!(values[n] >= kParts[k].minimum && values[n] <= kParts[k].maximum)) return false;
      rest = last ? std::string() : rest.substr(comma + 1);
    }
    return true;
  }
  return false;
}

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* webSetupWrite(void) {
  written.clear();
  for (int k = 0; k < kPartCount; ++k) {
    const SetupPart& part = kParts[k];
    bool moved = false;
    for (int n = 0; n < part.count; ++n) {
      if (!sameFloat(*part.values[n], started ? startValues[k][n] : *part.values[n])) {
        moved = true;
      }
    }
    if (!moved) continue;
    if (!written.empty()) written += '&';
    written.append(part.name).append("=");
    for (int n = 0; n < part.count; ++n) {
      if (n > 0) written += ',';
      appendNumber(&written, *part.values[n]);
    }
  }
  return written.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webSetupRead(const char* text) {
  if (!started) {
    // Room for the longest set-up at once, so that the heap does not grow
    // as the set-up's text does.
    written.reserve(kLongestSetup);
    refused.reserve(kLongestSetup);
    for (int k = 0; k < kPartCount; ++k) {
      for (int n = 0; n < kParts[k].count; ++n) startValues[k][n] = *kParts[k].values[n];
    }
    started = true;
  }
  const std::string setup = text;
  if (setup.size() > kLongestSetup) {
    refused = setup;
    return refused.c_str();
  }
  float values[kPartCount][3];
  std::memcpy(values, startValues, sizeof values);
  bool seen[kPartCount] = {};
  size_t from = 0;
  while (!setup.empty() && from <= setup.size()) {
    size_t to = setup.find('&', from);
    if (to == std::string::npos) to = setup.size();
    const std::string part = setup.substr(from, to - from);
    int index = -1;
    float read[3] = {};
    if (!readPart(part, &index, read) || seen[index]) {
      // An empty part (a stray '&') is named by the whole address.
      refused = part.empty() ? setup : part;
      return refused.c_str();
    }
    seen[index] = true;
    std::memcpy(values[index], read, sizeof read);
    from = to + 1;
  }
  for (int k = 0; k < kPartCount; ++k) {
    for (int n = 0; n < kParts[k].count; ++n) *kParts[k].values[n] = values[k][n];
  }
  glutPostWindowRedisplay(diagramWindow);
  return nullptr;
}
}
