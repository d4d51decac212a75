/// @file
/// Bitmap fonts: the font numbers by which callers choose one of the four faces of the
/// glyph tables, and the display lists that draw each glyph with glBitmap, compiled once
/// for each window (every window has an OpenGL context, and so list names, of its own).
#pragma once

/// @name Font numbers
/// Any other number draws FontStandard.
///@{
constexpr int FontStandard = 1;  ///< bold face, 13 rows, advance 10 pixels
constexpr int FontSmall = 2;     ///< subscript face, 10 rows, advance 6 (f 4, i 3) pixels
constexpr int FontGreek = 3;     ///< Greek lowercase on a to z, 13 rows, advance 10 pixels
constexpr int FontVector = 4;    ///< vector marks (bar, arrow heads), 13 rows, advance 8 pixels
///@}

/// Window slots of the list tables, indexed directly by the GLUT window id. Ids 1 to 9
/// have lists; slot 0 is never filled, and windows with ids outside 1 to 9 have no lists
/// (their bitmap-font texts draw nothing).
constexpr int kFontWindowSlots = 10;

/// Names reserved per font and window. Only codes 32 to 125 get a list; every other code
/// up to 255 is a reserved name with nothing in it, so any byte of a text calls a name of
/// its own font's block and a byte without a glyph neither draws nor moves the raster.
constexpr int kFontBlockSize = 256;

/// First list name of the block of font f (1 to 4) in window slot w; the list of
/// character code c is fontListBase[f][w] + c. Row 0 is unused; 0 means no block.
extern unsigned int fontListBase[5][kFontWindowSlots];

/// 1 once the lists of window slot w have been compiled; set by the raster text.
extern int fontListsBuilt[kFontWindowSlots];

/// Reserve the four list blocks of a window and compile every glyph of every font into
/// them; the window's OpenGL context must be current. Leaves the pixel unpack alignment
/// at 1. When OpenGL cannot reserve a block, every block of the window is given back and
/// fontListBase[f][windowId] stays 0 for all four fonts, so a later call can try again.
/// @param windowId  the window's GLUT id; nothing is done for an id outside 1 to 9
void buildFontLists(int windowId);
