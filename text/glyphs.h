/// @file
/// Glyph tables of the four bitmap fonts the text overlay draws its labels in: a bold
/// standard face, a small face for subscripts, a face of Greek lowercase letters and a
/// face of vector marks (bars and arrow heads drawn over a letter). The font lists of
/// the text overlay compile these tables into glBitmap calls.
///
/// Every glyph is 8 pixels wide and covers character codes 32 to 125: entry c - 32
/// holds the glyph of code c (94 entries). An entry is one byte per pixel row, byte 0
/// the bottom row, bit 7 (0x80) the leftmost of the 8 columns; rows follow each other
/// with no gap (unpack alignment 1). The glyph is drawn with its row 2 on the raster
/// position's row, so rows 0 and 1 hang below the baseline.
#pragma once

/// Bold fixed-pitch face, 13 rows, every code from 33 to 125 drawn; advance 10 pixels.
extern const unsigned char standardGlyphs[94][13];

/// Light subscript face, 10 rows; only ( ) * + - 0-9 > P a c d f i j k l m p r s t u
/// x y are drawn, every other code is blank. Advance 6 pixels, 4 for f and 3 for i.
extern const unsigned char smallGlyphs[94][10];

/// Greek face, 13 rows: Greek lowercase on the keys a to z (q is theta), light digits
/// and punctuation, and the bold capitals of the standard face; advance 10 pixels.
extern const unsigned char greekGlyphs[94][13];

/// Vector marks, 13 rows: a bar on T and t, arrow heads on F (right) and f (left);
/// every other code is blank. Advance 8 pixels, so the marks join into one arrow.
extern const unsigned char vectorGlyphs[94][13];
