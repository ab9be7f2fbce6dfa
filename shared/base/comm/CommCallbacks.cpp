// The button-callback library's members for the communication windows: the
// journal's arrows and follow toggle, the tip window's previous and next,
// the paperdoll's help button, and the resize handles, which open a
// CResizeGump over the window that holds them.
#include "FrameBuf.h"
#include "comm/SpeechLine.h"
#include "comm/TextGump.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"

namespace {

// The smallest window the framed and chat windows can be made.
constexpr int kWindowMinWidth = 93, kWindowMinHeight = 98;
// A chat window's pane split.
constexpr int kPaneMinWidth = 39, kPaneMinHeight = 80;
constexpr int kPaneWidthLeft = 60, kPaneHeightLeft = 8;
// The parchment windows grow downwards only, from these heights to 20
// pixels above the screen's foot.
constexpr int kTextMinHeight = 220;
constexpr int kBoardMessageMinHeight = 260;
constexpr int kFootGap = 20;
// The extra value a resize gump hands back: the window's size, or the split
// of its panes.
constexpr int kResizeWindow = 0, kResizeSplit = 1;

// A rectangle over the gump, from its stored press point, that tells the
// gump its new size when the button is let go.
void OpenResizeGump(CGump* gump, int minWidth, int minHeight, int maxWidth, int maxHeight,
                    int extra) {
    int sx = 0, sy = 0;
    CGump::GumpToScreenCoords(gump, &sx, &sy);
    auto* resize = new CResizeGump(sx, sy, gump->width, gump->height, minWidth, minHeight, maxWidth,
                                   maxHeight, gump, extra);
    resize->PutInGump(nullptr);
}

// Any size from the smallest window up to the screen's right and bottom
// edges.
void ResizeToScreenEdges(CGump* gump) {
    int sx = 0, sy = 0;
    CGump::GumpToScreenCoords(gump, &sx, &sy);
    OpenResizeGump(gump, kWindowMinWidth, kWindowMinHeight, g_displayWidth - sx,
                   g_displayHeight - sy, kResizeWindow);
}

// The width stays; the height runs from minHeight to kFootGap above the
// screen's foot.
void ResizeDownwards(CGump* gump, int minHeight) {
    int sx = 0, sy = 0;
    CGump::GumpToScreenCoords(gump, &sx, &sy);
    OpenResizeGump(gump, gump->width, minHeight, gump->width, g_displayHeight - sy - kFootGap,
                   kResizeWindow);
}

// Message 0xA7 for the tip before (0) or after (1) the last one shown, to
// an open connection only.
void AskForTip(int direction) {
    PDSTRUCT packet;
    PacketManager::BuildTipRequest(&packet, static_cast<M_WORD>(LastTip & 0xFFFF),
                                   static_cast<M_BYTE>(direction));
    WriteToOpenGame(&packet, direction ? "CGump::TipNext" : "CGump::TipPrev");
}

}  // namespace

// ---- The journal ----

void CGump::TextReflow() {
    if (IsTextGump()) static_cast<CTextGump*>(this)->ToggleFollow();
}

void CGump::TextScrollUp() {
    if (IsTextGump()) static_cast<CTextGump*>(this)->ScrollUp();
}

void CGump::TextScrollDown() {
    if (IsTextGump()) static_cast<CTextGump*>(this)->ScrollDown();
}

// ---- The tip window: the server's answer opens the next window ----

void CGump::TipPrev() {
    AskForTip(0);
    delete this;
}

void CGump::TipNext() {
    AskForTip(1);
    delete this;
}

// ---- The paperdoll's help button ----

void CGump::PaperdollHelp() {
    if (GameConnectionOpen("CGump::PaperdollHelp")) SendHelpRequest();
}

// ---- Resize handles ----

void CGump::ResizeSkillGump() {
    ResizeDownwards(this, kTextMinHeight);
}

void CGump::ResizeTextGump() {
    ResizeDownwards(this, kTextMinHeight);
}

void CGump::ResizeBBMsgGump() {
    ResizeDownwards(this, kBoardMessageMinHeight);
}

void CGump::ResizeGMChatGump() {
    ResizeToScreenEdges(this);
}

void CGump::ResizeFrameGump() {
    ResizeToScreenEdges(this);
}

void CGump::ResizeWindow() {
    ResizeToScreenEdges(this);
}

void CGump::ResizeChatWindow() {
    ResizeToScreenEdges(this);
}

void CGump::ResizeChatPane() {
    OpenResizeGump(this, kPaneMinWidth, kPaneMinHeight, width - kPaneWidthLeft,
                   height - kPaneHeightLeft, kResizeSplit);
}
