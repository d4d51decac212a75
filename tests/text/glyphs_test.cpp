// Tests of the bitmap-font glyph tables: the glyphs the windows print, byte for byte,
// and the layout rules of each face (rows per kind of character, widths, which codes
// draw anything, the glyphs the Greek face shares with the standard face).
#include "text/glyphs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kDigits[] = "0123456789";

// A glyph of one of the tables with its row count.
struct Glyph {
  const unsigned char* bytes;
  int rows;
};

Glyph standardGlyph(char c) { return {standardGlyphs[c - 32], 13}; }
Glyph smallGlyph(char c) { return {smallGlyphs[c - 32], 10}; }
Glyph greekGlyph(char c) { return {greekGlyphs[c - 32], 13}; }
Glyph vectorGlyph(char c) { return {vectorGlyphs[c - 32], 13}; }

// Lowest and highest row holding a set pixel; -1 for a blank glyph.
int lowestRow(Glyph g) {
  for (int row = 0; row < g.rows; ++row) {
    if (g.bytes[row] != 0) return row;
  }
  return -1;
}

int highestRow(Glyph g) {
  for (int row = g.rows - 1; row >= 0; --row) {
    if (g.bytes[row] != 0) return row;
  }
  return -1;
}

bool isBlank(Glyph g) { return lowestRow(g) < 0; }

// The columns the glyph paints anywhere, bit 7 the leftmost.
unsigned columnsUsed(Glyph g) {
  unsigned used = 0;
  for (int row = 0; row < g.rows; ++row) used |= g.bytes[row];
  return used;
}

// Whether some 2 x 2 square of pixels is fully set: never in a one-pixel stroke.
bool hasFilledSquare(Glyph g) {
  for (int row = 0; row + 1 < g.rows; ++row) {
    const unsigned both = g.bytes[row] & g.bytes[row + 1];
    if (both & (both << 1)) return true;
  }
  return false;
}

// Codes from 33 to 125 whose glyph draws something, as a string.
template <typename GlyphOf>
std::string drawnCodes(GlyphOf glyphOf) {
  std::string codes;
  for (char c = 33; c <= 125; ++c) {
    if (!isBlank(glyphOf(c))) codes += c;
  }
  return codes;
}

// Every code from 33 to 125 as a string.
std::string everyPrintableCode() {
  std::string codes;
  for (char c = 33; c <= 125; ++c) codes += c;
  return codes;
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool isLetterOrDigit(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// ---------------------------------------------------------------------------
// The glyphs the diagram and the values window print, bytes from the bottom row up.

struct GivenGlyph {
  char code;
  std::vector<unsigned char> bytes;
};

const std::vector<GivenGlyph> kGivenStandard = {
    {'-', {0, 0, 0, 0, 0, 0, 0x7f, 0, 0, 0, 0, 0, 0}},
    {'.', {0, 0, 0, 0x38, 0x38, 0, 0, 0, 0, 0, 0, 0, 0}},
    {'0', {0, 0, 0x3c, 0x66, 0xc3, 0xe3, 0xf3, 0xdb, 0xcf, 0xc7, 0xc3, 0x66, 0x3c}},
    {'1', {0, 0, 0x7e, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x78, 0x38, 0x18}},
    {'2', {0, 0, 0xff, 0xc0, 0xc0, 0x60, 0x30, 0x18, 0x0c, 0x06, 0x03, 0xe7, 0x7e}},
    {'3', {0, 0, 0x7e, 0xe7, 0x03, 0x03, 0x07, 0x7e, 0x07, 0x03, 0x03, 0xe7, 0x7e}},
    {'4', {0, 0, 0x0c, 0x0c, 0x0c, 0x0c, 0x0c, 0xff, 0xcc, 0x6c, 0x3c, 0x1c, 0x0c}},
    {'5', {0, 0, 0x7e, 0xe7, 0x03, 0x03, 0x07, 0xfe, 0xc0, 0xc0, 0xc0, 0xc0, 0xff}},
    {'6', {0, 0, 0x7e, 0xe7, 0xc3, 0xc3, 0xc7, 0xfe, 0xc0, 0xc0, 0xc0, 0xe7, 0x7e}},
    {'7', {0, 0, 0x30, 0x30, 0x30, 0x30, 0x18, 0x0c, 0x06, 0x03, 0x03, 0x03, 0xff}},
    {'8', {0, 0, 0x7e, 0xe7, 0xc3, 0xc3, 0xe7, 0x7e, 0xe7, 0xc3, 0xc3, 0xe7, 0x7e}},
    {'9', {0, 0, 0x7e, 0xe7, 0x03, 0x03, 0x03, 0x7f, 0xe7, 0xc3, 0xc3, 0xe7, 0x7e}},
    {':', {0, 0, 0, 0x38, 0x38, 0, 0, 0x38, 0x38, 0, 0, 0, 0}},
    {'A', {0, 0, 0xc3, 0xc3, 0xc3, 0xc3, 0xff, 0xc3, 0xc3, 0xc3, 0x66, 0x3c, 0x18}},
    {'C', {0, 0, 0x7e, 0xe7, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xe7, 0x7e}},
    {'D', {0, 0, 0xfc, 0xce, 0xc7, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xc7, 0xce, 0xfc}},
    {'E', {0, 0, 0xff, 0xc0, 0xc0, 0xc0, 0xc0, 0xfc, 0xc0, 0xc0, 0xc0, 0xc0, 0xff}},
    {'F', {0, 0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xfc, 0xc0, 0xc0, 0xc0, 0xff}},
    {'H', {0, 0, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xff, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3}},
    {'I', {0, 0, 0x7e, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x7e}},
    {'L', {0, 0, 0xff, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0}},
    {'M', {0, 0, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xdb, 0xff, 0xff, 0xe7, 0xc3}},
    {'N', {0, 0, 0xc7, 0xc7, 0xcf, 0xcf, 0xdf, 0xdb, 0xfb, 0xf3, 0xf3, 0xe3, 0xe3}},
    {'O', {0, 0, 0x7e, 0xe7, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xc3, 0xe7, 0x7e}},
    {'R', {0, 0, 0xc3, 0xc6, 0xcc, 0xd8, 0xf0, 0xfe, 0xc7, 0xc3, 0xc3, 0xc7, 0xfe}},
    {'T', {0, 0, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0xff}},
    {'X', {0, 0, 0xc3, 0x66, 0x66, 0x3c, 0x3c, 0x18, 0x3c, 0x3c, 0x66, 0x66, 0xc3}},
    {'d', {0, 0, 0x7f, 0xc3, 0xc3, 0xc3, 0xc3, 0x7f, 0x03, 0x03, 0x03, 0x03, 0x03}},
    {'e', {0, 0, 0x7f, 0xc0, 0xc0, 0xfe, 0xc3, 0xc3, 0x7e, 0, 0, 0, 0}},
    {'g', {0x7e, 0xc3, 0x03, 0x03, 0x7f, 0xc3, 0xc3, 0xc3, 0x7e, 0, 0, 0, 0}},
    {'r', {0, 0, 0xc0, 0xc0, 0xc0, 0xc0, 0xc0, 0xe0, 0xfe, 0, 0, 0, 0}},
    {'s', {0, 0, 0xfe, 0x03, 0x03, 0x7e, 0xc0, 0xc0, 0x7f, 0, 0, 0, 0}},
    {' ', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

const std::vector<GivenGlyph> kGivenGreek = {
    {'q', {0, 0x30, 0x48, 0x84, 0x84, 0x84, 0xfc, 0x84, 0x84, 0x84, 0x48, 0x30, 0}},
    {' ', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

const std::vector<GivenGlyph> kGivenSmall = {
    {'i', {0, 0x40, 0x40, 0x40, 0x40, 0x40, 0, 0x40, 0, 0}},
    {'r', {0, 0x40, 0x40, 0x40, 0x40, 0x70, 0, 0, 0, 0}},
    {'f', {0, 0x40, 0x40, 0x40, 0x70, 0x40, 0x40, 0x30, 0, 0}},
};

const std::vector<GivenGlyph> kGivenVector = {
    {'T', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0, 0}},
    {'t', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0, 0}},
    {'F', {0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x04, 0xfe, 0x04, 0x08}},
    {'f', {0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x20, 0x7f, 0x20, 0x10}},
};

// Expect every glyph of given to be in the font byte for byte.
void expectGivenGlyphs(const char* font, Glyph (*glyphOf)(char),
                       const std::vector<GivenGlyph>& given) {
  for (const GivenGlyph& expected : given) {
    const Glyph g = glyphOf(expected.code);
    ASSERT_EQ(static_cast<size_t>(g.rows), expected.bytes.size()) << font;
    const std::vector<unsigned char> actual(g.bytes, g.bytes + g.rows);
    EXPECT_EQ(actual, expected.bytes) << font << " '" << expected.code << "'";
  }
}

TEST(GivenGlyphs, MatchTheirBytesExactly) {
  expectGivenGlyphs("standard", standardGlyph, kGivenStandard);
  expectGivenGlyphs("greek", greekGlyph, kGivenGreek);
  expectGivenGlyphs("small", smallGlyph, kGivenSmall);
  expectGivenGlyphs("vector", vectorGlyph, kGivenVector);
}

// ---------------------------------------------------------------------------
// The standard face: bold, capitals on rows 2 to 12, x-height rows 2 to 8.

TEST(StandardFace, DrawsEveryCodeFrom33To125) {
  EXPECT_EQ(drawnCodes(standardGlyph), everyPrintableCode());
}

TEST(StandardFace, LettersAndDigitsHaveTwoPixelStrokes) {
  for (char c = 33; c <= 125; ++c) {
    if (isLetterOrDigit(c)) {
      EXPECT_TRUE(hasFilledSquare(standardGlyph(c))) << c;
    }
  }
}

// ---------------------------------------------------------------------------
// The small face: a light subscript face on rows 1 to 8, row 9 kept empty.

TEST(SmallFace, DrawsExactlyItsThirtyThreeCodes) {
  EXPECT_EQ(drawnCodes(smallGlyph), "()*+-0123456789>Pacdfijklmprstuxy");
}

TEST(SmallFace, RowNineIsAlwaysEmpty) {
  for (char c = 32; c <= 125; ++c) {
    EXPECT_EQ(smallGlyph(c).bytes[9], 0) << c;
  }
}

TEST(SmallFace, DigitsAndPAreFiveColumnsWide) {
  for (const char* c = "0123456789P"; *c; ++c)
    EXPECT_EQ(columnsUsed(smallGlyph(*c)), 0xf8u) << *c;
}

TEST(SmallFace, GlyphsFitTheirAdvanceAndOnePixelStrokes) {
  for (char c = 33; c <= 125; ++c) {
    const Glyph g = smallGlyph(c);
    const int advance = c == 'f' ? 4 : c == 'i' ? 3 : 6;
    // Columns from the advance on belong to the next character.
    EXPECT_EQ(columnsUsed(g) & (0xffu >> advance), 0u) << c;
    EXPECT_FALSE(hasFilledSquare(g)) << c;
  }
}

// ---------------------------------------------------------------------------
// The Greek face: light Greek lowercase, light digits and punctuation, bold capitals.

TEST(GreekFace, DrawsEveryCodeFrom33To125) {
  EXPECT_EQ(drawnCodes(greekGlyph), everyPrintableCode());
}

TEST(GreekFace, SpaceAndCapitalsAreThoseOfTheStandardFace) {
  for (const char* c = " ABCDEFGHIJKLMNOPQRSTUVWXYZ"; *c; ++c) {
    EXPECT_EQ(std::memcmp(greekGlyph(*c).bytes, standardGlyph(*c).bytes, 13), 0) << *c;
  }
}

TEST(GreekFace, UpsilonIsTheBitmapOfNu) {
  EXPECT_EQ(std::memcmp(greekGlyph('u').bytes, greekGlyph('n').bytes, 13), 0);
}

TEST(GreekFace, DigitsPunctuationAndLowercaseAreLightWithinSevenColumns) {
  for (char c = 33; c <= 125; ++c) {
    if (isLetter(c) && !std::islower(static_cast<unsigned char>(c))) continue;
    EXPECT_EQ(columnsUsed(greekGlyph(c)) & 0x01u, 0u) << c;
    if (!isLetter(c) && !std::isdigit(static_cast<unsigned char>(c))) continue;
    EXPECT_FALSE(hasFilledSquare(greekGlyph(c))) << c;
  }
}

TEST(GreekFace, ClosedPhiRisesAboveTheXHeightOfItsLoop) {
  EXPECT_GT(highestRow(greekGlyph('f')), highestRow(greekGlyph('o')));
}

// ---------------------------------------------------------------------------
// The rows each kind of character keeps to, face by face: the lowest and the
// highest row holding a set pixel lie within the given bounds for every code.

// Codes from 33 to 125 that `keep` accepts, as a string.
std::string codesWhere(bool (*keep)(char)) {
  std::string codes;
  for (char c = 33; c <= 125; ++c) {
    if (keep(c)) codes += c;
  }
  return codes;
}

TEST(GlyphRows, EachKindOfCharacterKeepsToItsRows) {
  const struct {
    const char* kind;
    Glyph (*glyphOf)(char);
    std::string codes;
    int lowestMin, lowestMax, highestMin, highestMax;
  } cases[] = {
      // The standard face: capitals on rows 2 to 12, x-height rows 2 to 8.
      {"standard capitals and digits", standardGlyph, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 2,
       2, 12, 12},
      {"standard x-height letters", standardGlyph, "acemnorsuvwxz", 2, 2, 8, 8},
      {"standard ascenders", standardGlyph, "bdfhkl", 2, 2, 12, 12},
      {"standard tall lowercase", standardGlyph, "it", 2, 2, 9, 12},
      {"standard descenders", standardGlyph, "gjpqy", 0, 0, 8, 12},
      {"standard, the rest above the baseline", standardGlyph,
       codesWhere([](char c) { return std::strchr("gjpqy_", c) == nullptr; }), 2, 12, 2, 12},
      {"standard underscore", standardGlyph, "_", 0, 0, 1, 1},
      // The small face: a subscript face on rows 1 to 8.
      {"small digits and P", smallGlyph, "0123456789P", 1, 1, 8, 8},
      {"small x-height letters", smallGlyph, "acmrsux", 1, 1, 1, 6},
      {"small i", smallGlyph, "i", 1, 1, 7, 7},
      {"small ascenders", smallGlyph, "dfklt", 1, 1, 7, 8},
      {"small descenders", smallGlyph, "jpy", 0, 0, 0, 7},
      // The Greek face: digits and punctuation on rows 1 to 11, lowercase within 0 to 11.
      {"greek digits", greekGlyph, kDigits, 1, 1, 11, 11},
      {"greek digits and punctuation", greekGlyph,
       codesWhere([](char c) { return !isLetter(c); }), 1, 11, 1, 11},
      {"greek lowercase", greekGlyph, "abcdefghijklmnopqrstuvwxyz", 0, 11, 0, 11},
      {"greek phis", greekGlyph, "fj", 0, 0, 1, 11},
  };
  for (const auto& c : cases) {
    for (char code : c.codes) {
      const Glyph g = c.glyphOf(code);
      EXPECT_GE(lowestRow(g), c.lowestMin) << c.kind << " '" << code << "'";
      EXPECT_LE(lowestRow(g), c.lowestMax) << c.kind << " '" << code << "'";
      EXPECT_GE(highestRow(g), c.highestMin) << c.kind << " '" << code << "'";
      EXPECT_LE(highestRow(g), c.highestMax) << c.kind << " '" << code << "'";
    }
  }
}

TEST(GlyphRows, DescendersFillBothRowsBelowTheBaselineAndTheUnderscoreIsFullWidth) {
  for (const char* c = "gjpqy"; *c; ++c) {
    EXPECT_NE(standardGlyph(*c).bytes[0], 0) << *c;
    EXPECT_NE(standardGlyph(*c).bytes[1], 0) << *c;
  }
  EXPECT_EQ(standardGlyph('_').bytes[0], 0xff);
  EXPECT_EQ(standardGlyph('_').bytes[1], 0xff);
}

// ---------------------------------------------------------------------------
// The vector marks.

TEST(VectorFace, OnlyFAndTDrawAnything) { EXPECT_EQ(drawnCodes(vectorGlyph), "FTft"); }

}  // namespace
