// The four pieces of the play-window frame and the moving of the play
// window by dragging them.
#include "view/GameAreaEdge.h"

#include "FrameBuf.h"
#include "TWReport.h"
#include "gumps/MouseManager.h"
#include "resources/BlitTarget.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/SpanHandlers.h"
#include "view/WorldView.h"

GameAreaEdgeGump* g_gameAreaEdges[4] = {};

namespace {

struct PiecePlace {
    int x, y, width, height;
};

PiecePlace PlaceOf(int which, int wv, int hh) {
    const int w = GraphicManager::getGameplayWindowPixelWidth();
    const int h = GraphicManager::getGameplayWindowPixelHeight();
    switch (which) {
        case GameAreaEdgeGump::TOP:
            return {-wv, -hh, w + 2 * wv, hh};
        case GameAreaEdgeGump::BOTTOM:
            return {-wv, h, w + 2 * wv, hh};
        case GameAreaEdgeGump::LEFT:
            return {-wv, 0, wv, h};
        default:
            return {w, 0, wv, h};
    }
}

PiecePlace PlaceOf(int which) {
    int wh = 0, hh = 0, wv = 0, hv = 0;
    GetGumpArtSize(GameAreaEdgeGump::HORIZONTAL_ART, &wh, &hh);
    GetGumpArtSize(GameAreaEdgeGump::VERTICAL_ART, &wv, &hv);
    return PlaceOf(which, wv, hh);
}

}  // namespace

GameAreaEdgeGump::GameAreaEdgeGump(int piece)
    : CGump(PlaceOf(piece).x, PlaceOf(piece).y, nullptr, nullptr, 1, PlaceOf(piece).width,
            PlaceOf(piece).height),
      which(piece) {
    TWReport::print("GameAreaEdgeGump::GameAreaEdgeGump(int which): begin.\n");
    name = "GameAreaEdgeGump";
    const bool horizontal = which == TOP || which == BOTTOM;
    const int art = horizontal ? HORIZONTAL_ART : VERTICAL_ART;
    int artWidth = 0, artHeight = 0;
    GetGumpArtSize(art, &artWidth, &artHeight);
    M_WORD* pixels = width > 0 && height > 0 ? NewFrameBlock(0, width, height) : nullptr;
    if (pixels) {
        const BlitTarget target(pixels, FramePitch(width), width, height);
        // A missing art (size 0) leaves the piece blank: the copies are
        // spaced by the art's size, and a size of 0 would never advance.
        const int step = horizontal ? artWidth : artHeight;
        const int length = horizontal ? width : height;
        if (step > 0)
            for (int at = 0; at < length; at += step)
                DrawGumpPixels(CopySpan, art, horizontal ? at : 0, horizontal ? 0 : at, target);
    }
    PutInGump(nullptr);
}

GameAreaEdgeGump::~GameAreaEdgeGump() {
    for (GameAreaEdgeGump*& piece : g_gameAreaEdges)
        if (piece == this) piece = nullptr;
}

void GameAreaEdgeGump::HandleLButtonDown(int px, int py) {
    grabOffsetX = px - g_viewX;
    grabOffsetY = py - g_viewY;
    moving = TRUE;
}

void GameAreaEdgeGump::HandleLButtonUp(int, int) {
    moving = FALSE;
    MouseManager::SetCapture(nullptr);
}

void GameAreaEdgeGump::HandleMouseDrag(int px, int py) {
    if (!moving) return;
    const int w = GraphicManager::getGameplayWindowPixelWidth();
    const int h = GraphicManager::getGameplayWindowPixelHeight();
    int dx = px - g_viewX - grabOffsetX;
    int dy = py - g_viewY - grabOffsetY;
    if (g_viewX + dx < 0) dx = -g_viewX;
    if (g_viewY + dy < 0) dy = -g_viewY;
    if (g_viewX + dx + w > g_displayWidth) dx = g_displayWidth - w - g_viewX;
    if (g_viewY + dy + h > g_displayHeight) dy = g_displayHeight - h - g_viewY;
    if (dx == 0 && dy == 0) return;
    grabOffsetX -= dx;
    grabOffsetY -= dy;
    g_viewX += dx;
    g_viewY += dy;
    InvalidateScreen();
}

void CreateGameAreaEdges() {
    for (int which = 0; which < 4; ++which) g_gameAreaEdges[which] = new GameAreaEdgeGump(which);
}

void ResetGameAreaEdges() {
    for (GameAreaEdgeGump*& piece : g_gameAreaEdges) delete piece;
    InvalidateScreen();
    CreateGameAreaEdges();
    InvalidateScreen();
}
