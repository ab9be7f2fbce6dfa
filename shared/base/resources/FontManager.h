// FontManager: the client's bitmap fonts, read once from "fonts.mul" at
// start-up and kept until exit (a version patch may replace a font whole).
// Up to 25 fonts of 224 coloured glyphs for the byte characters 32-255.  It
// measures 8-bit text (widths, heights, word wrapping, how much fits) and
// draws it glyph by glyph into 16-bit pixel buffers through the span
// handlers, with an optional hue, word wrap, centring, a hanging indent or an
// ellipsis.  A few bitmap primitives (a rectangle fill, three line drawers)
// live here too.
//
// "fonts.mul" (little-endian, read straight through): for each of the 25
// fonts a u8 header (0: absent, nothing follows), else 224 glyph records for
// characters 32..255:
//   u8 width, u8 height, u8 descent (rows below the baseline row),
//   then width x height u16 pixels row by row; 0 is transparent.
// A file cut short leaves the font it cuts (and every later one) absent.
//
// Texts are zero-terminated byte strings whose characters count as 0..255.
// Drawing clips to the target's clip rectangle, which lies inside its buffer.
// Main thread only.
#pragma once

#include "TWTypes.h"
#include "resources/BlitTarget.h"

// One font: the partial-hue flag, then a glyph per character 32..255 (null:
// none) with its descent.  A glyph is one allocation: u16 width, u16 height,
// then width x height pixels.
class CFont {
public:
    static constexpr int NUM_GLYPHS = 224;

    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // With partialHue, a hue recolours only the grey pixels of a glyph.
    M_DWORD partialHue;
    M_WORD* glyphs[NUM_GLYPHS];
    M_DWORD descent[NUM_GLYPHS];
};

class FontManager {
public:
    static constexpr int MAX_FONTS = 25;
    // The working buffer of the wrapping and ellipsis routines.
    static constexpr int TEXT_BUFFER_SIZE = 256;

    static void startup();
    static void shutdown();
    // Reads "fonts.mul"; a missing file ends the program.  TRUE.
    static BOOL LoadFonts();
    // Replaces font `font` by the 224 glyph records of a version patch; a
    // patch cut short is refused and the font kept.
    static void PatchFont(int font, const M_BYTE* data, int length);

    static BOOL ValidFont(int font);
    static CFont* GetFont(int font);

    // Glyph size; 0 for a missing font or c outside 32..255.
    static int GetCharWidth(int font, int c);
    static int GetCharHeight(int font, int c);
    static BOOL HasGlyph(int font, int c);

    // Width of the first n characters (fewer when the text ends sooner).
    static int GetStringWidth(int font, int n, const char* text);
    // One line: width, height (ascent + descent) and the baseline row counted
    // from the line's top.  FALSE for a missing font.
    static BOOL GetStringSize(int font, const char* text, int* width, int* height, int* baseline);
    // How many leading characters fit strictly inside width.
    static int CountCharsInWidth(int font, const char* text, int width);
    // Index of the last character of the first line, or -1 when all fits.
    static int FindLineBreak(int font, const char* text, int width);
    static void CalcInfoWrap(int font, const char* text, int wrapWidth, int* width, int* height,
                             int* baseline, int indent);
    // Where character n of the wrapped text starts.
    static void GetStringWrapEndXY(int font, int n, const char* text, int wrapWidth, int* x,
                                   int* y);
    static int FitStringToRect(int font, const char* text, int wrapWidth, int maxWidth,
                               int maxHeight);

    // One line, first glyph's left edge at x, baseline at y; stops at the
    // first glyph that cannot be drawn whole.
    static BOOL DrawString(int x, int y, int font, int hue, const char* text,
                           const BlitTarget& target);
    // Wrapped text; y is the top of the first line.  indent > 0 starts every
    // later line with that many spaces; lineSpacing 0 uses each line's height.
    static BOOL DrawstringBuf(int x, int y, int font, int hue, const char* text, int wrapWidth,
                              const BlitTarget& target, int indent, int lineSpacing, BOOL centre);
    // One line on baseline y that ends in three '.' when it would pass the
    // clip's right edge.
    static BOOL DrawStringBufEllips(int x, int y, int font, int hue, const char* text,
                                    const BlitTarget& target);
    static BOOL DrawWideStringEllips(int x, int y, int font, int hue, const M_WORD* text,
                                     const BlitTarget& target);

    // Bitmap primitives on a 16-bit bitmap {u16 width, u16 height, pixels};
    // coordinates inclusive, clipped to the bitmap.
    static BOOL DrawRect(int x1, int y1, int x2, int y2, M_WORD colour, M_WORD* bitmap);
    static void DrawLine(int x1, int y1, int x2, int y2, M_WORD colour, M_WORD* bitmap);
    static void DrawBlendLine(int x1, int y1, int x2, int y2, M_WORD* bitmap);
    static void DrawLineFromBuffer(int x1, int y1, int x2, int y2, M_WORD* bitmap,
                                   const M_WORD* source);

    // Replaces glyph c of cfont by a w x h copy of a buffer region (key
    // colours stay transparent).  Unused by the client.
    static void SetGlyphFromBuffer(CFont* cfont, int c, int x, int y, int w, int h,
                                   const M_WORD* pixels, int pitch);
    static void CopyGumpObsolete();

    // Test support: deletes every font.
    static void reset();
};

// Half of each channel's maximum: mixing with it is mixing with white.
constexpr M_WORD PixelHalfWhite = 0x3DEF;

// The frame-rate limiter of the credits roll: a small value object.
class CFrameTimer {
public:
    CFrameTimer() { Reset(); }
    void Reset();
    // 1..1000 frames per second; other values are refused (FALSE) and the
    // rate stays.
    BOOL SetFramesPerSecond(int fps);
    void MarkStart();
    void MarkEnd();
    void AddFrameSlack();
    BOOL IsBehind() const { return slack < 0; }
    // Whole frames of lateness, taken out of the slack.
    int FramesBehind();
    int TakeSlack();

    int framesPerSecond;
    int interval;  // ms
    M_DWORD frameStart;
    M_DWORD frameEnd;
    int slack;  // ms, negative when behind
};
