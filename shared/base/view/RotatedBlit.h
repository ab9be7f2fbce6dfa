// Rotated static art: effects that fly toward a target and effects carried
// by a mobile are drawn turned by a direction of 256 steps to a full turn
// (0 = unrotated, one step pi/128).  The blitters map every destination
// pixel back to its source pixel with 16.16 fixed-point sine and cosine
// tables, so the art keeps no holes whatever the angle.
//
// Tables: cosTable[i] = trunc(65536 cos(i pi / 128)), sinTable likewise, with
// pi = 3.14159265359; greyLevelTable[p] = (blue + green + (red >> 1)) / 3 for
// a 5-5-5 pixel (bit 15 ignored), 0..25.  They are filled before main runs
// and never change.  Main thread only (the blend table is the span
// handlers' selected one).
#pragma once

#include "TWTypes.h"
#include "resources/SkipDraw.h"

extern int cosTable[256];
extern int sinTable[256];
extern M_BYTE greyLevelTable[65536];

// Fills the three tables (run once before main; calling it again is
// harmless).
void InitRotationTables();

// trunc(128 angle / 3.14152): callers keep the low 8 bits.
int RadiansToDirection256(float angle);

// The bounding rectangle of r rotated by the direction about its centre.
void GetRotatedBoundRect(int direction, RECT* r);

// Draw static art rotated into the play area (thelightthingie::target).
// source: a rectangle in the art's own coordinates (the unrotated art spans
// 0..w-1 x 0..h-1 and turns about (w >> 1, h >> 1)); (x, y): where its
// top-left corner lands in the play area; clip: a play-area rectangle.
// The art is decoded once per call.  The hued forms take a hue number as it
// is (no 1 subtracted); the effect forms blend through the table chosen by
// SelectBlendTable.
void BlitRotatedToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                       const RECT& clip);
void BlitRotatedHuedToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                           const RECT& clip, int hue);
void BlitRotatedEffectToView(const SkipImage& art, const RECT& source, int x, int y, int direction,
                             const RECT& clip);
void BlitRotatedHuedEffectToView(const SkipImage& art, const RECT& source, int x, int y,
                                 int direction, const RECT& clip, int hue);
