// The span handlers: the client's lowest drawing layer.  A span handler
// writes one horizontal run of 16-bit pixels from a source run: copying,
// skipping transparent pixels (0), recolouring through the current draw hue,
// or blending with what the destination already holds.  The run-length
// drawers (SkipDraw.h), gump art (GumpArt.h) and the bitmap fonts hand runs
// to these functions; callers pick one and pass it as a SpanHandler.
//
// All handlers compose in 5-5-5 (red bits 14-10, green 9-5, blue 4-0; bit 15
// ignored); a 5-6-5 display is converted afterwards by the gump-art and text
// drawers, never here.  Every pixel a blending handler writes has bit 0 set,
// so a blended black stays visible to a later transparent copy.
//
// The handlers never test coordinates: the drawers clip once per run.  The
// source is 16-bit pixels in host order at any address (a run may lie in
// mapped file data, where a pixel need not be aligned), so it is passed as
// untyped bytes and read through memcpy; the destination is a pixel buffer of
// ours.
//
// State (all process-wide, main thread only, no locks): the current draw hue,
// the eight blend tables and the selected one, the channel-scale table of the
// light module.  None of it is owned by a drawing call.
#pragma once

#include "TWTypes.h"

// (destination, source, count): writes count destination pixels from count
// source pixels; a count of 0 (or below) writes nothing.
using SpanHandler = void (*)(M_WORD* dst, const void* src, int count);

// The hue the Hue* handlers recolour with; callers set it before drawing.  A
// number that names no hue draws the source unhued.
extern int DrawHue;

// Blend tables: entry [s + 32 * d] is the 5-bit channel that source channel s
// over destination channel d gives.  Tables 1-7 are filled before main runs;
// table 0 stays zero and nobody selects it.
//   1: (s * d) >> 5                     2: min(s + d, 31)
//   3: min(s + d + (s * d >> 5), 31)    4: min(((s + d) >> 1) + (s * d >> 5), 31)
//   5: min(((s + d) >> 2) + (s * d >> 5), 31)
//   6: max(d - s, 0)                    7: max(s - d, 0)
constexpr int BLEND_TABLE_COUNT = 8;
constexpr int BLEND_TABLE_SIZE = 1024;
extern M_WORD BlendTables[BLEND_TABLE_COUNT][BLEND_TABLE_SIZE];
extern const M_WORD* CurrentBlendTable;
// Fills tables 1-7 (table 0 is cleared); runs once before main.
void BuildBlendTables();

// A blend mode is an integer whose low 4 bits choose a table; 0 is none.
void SelectBlendTable(int mode);
BOOL IsBlendModeNone(int mode);
int GetBlendMode(int mode);

// Channel values by light level: [level 0..31][channel 0..31].  The light
// module fills it; CensoredBloodSpan reads row 31 - red.
extern M_BYTE ChannelScaleTable[32][32];

// The 32 colours of hue `hue`, or null when the number names no hue.  Every
// drawing routine that indexes the hue table goes through this.
const M_WORD* HueColours(int hue);

// The family.  "Transparent" handlers (and BlendSpan50, ShadowSpan) leave the
// destination alone where the source is 0; the others serve run-length
// images whose runs hold only opaque pixels.
void CopySpan(M_WORD* dst, const void* src, int count);
void CopySpanTransparent(M_WORD* dst, const void* src, int count);
void BlendSpan50(M_WORD* dst, const void* src, int count);
void Blend75SpanTransparent(M_WORD* dst, const void* src, int count);
void Blend75Span(M_WORD* dst, const void* src, int count);
void Blend25Span(M_WORD* dst, const void* src, int count);
void ShadowSpan(M_WORD* dst, const void* src, int count);
void HueSpanTransparent(M_WORD* dst, const void* src, int count);
void HueSpan(M_WORD* dst, const void* src, int count);
void HueGraySpanTransparent(M_WORD* dst, const void* src, int count);
void HueGraySpan(M_WORD* dst, const void* src, int count);
void HueBlendSpanTransparent(M_WORD* dst, const void* src, int count);
void HueBlendSpan(M_WORD* dst, const void* src, int count);
void HueGrayBlendSpanTransparent(M_WORD* dst, const void* src, int count);
void HueGrayBlendSpan(M_WORD* dst, const void* src, int count);
void HueGreenSpan(M_WORD* dst, const void* src, int count);
void BlendTableSpan(M_WORD* dst, const void* src, int count);
void HueGreenBlendTableSpan(M_WORD* dst, const void* src, int count);
void CensoredBloodSpan(M_WORD* dst, const void* src, int count);

// Pixel helpers shared with the font and gump-art drawers.
// Red, green and blue equal (0 counts as grey).
BOOL IsGrayPixel(M_WORD pixel);
// Puts a one-pixel outline of colour round the non-zero pixels of a
// width x height bitmap (rows width pixels apart); the outer rows and
// columns are left alone.
void OutlinePixels(M_WORD* pixels, int width, int height, M_WORD colour);
// 5-5-5 to 5-6-5.
inline M_WORD To565(M_WORD p) {
    return static_cast<M_WORD>(((p & 0x7FE0) << 1) | (p & 0x1F));
}
