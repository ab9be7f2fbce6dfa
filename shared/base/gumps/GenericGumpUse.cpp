// The server-described gump at work: drawing its tree, the mouse and keys,
// and the reply 0xB1.
//
// 0xB1 (all values big-endian): u8 0xB1, u16 length, u32 serial, u32 gump
// id, u32 button, u32 switch count, u32 per switch that is on, u32 entry
// count, then per entry u16 id, u16 length (at most 239), length x u16.
#include <algorithm>
#include <vector>

#include "TWReport.h"
#include "gumps/GenericGump.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TiledDraw.h"
#include "net/ClientSock.h"
#include "net/Packet.h"
#include "net/PacketManager.h"
#include "resources/BlitTarget.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "resources/ResourceSettings.h"
#include "resources/SkipDraw.h"
#include "resources/SpanHandlers.h"
#include "resources/UnicodeFont.h"

namespace {

constexpr M_WORD kOutlineColour = 1;
constexpr M_WORD kFallbackColour = 0x7FFF;

BOOL Visible(const CGenericGumpElement* e, int page) {
    return e->page == 0 || e->page == page;
}

// Copies the non-zero pixels of a w x h scratch bitmap into the frame at
// (x, y), widened for a 5-6-5 screen when asked.
void CopyScratch(const std::vector<M_WORD>& scratch, int w, int h, M_WORD* frame, int framePitch,
                 int frameWidth, int frameHeight, int x, int y, bool widen) {
    for (int row = 0; row < h && y + row < frameHeight; ++row)
        for (int col = 0; col < w && x + col < frameWidth; ++col) {
            const M_WORD p = scratch[static_cast<size_t>(row) * w + col];
            if (p)
                frame[static_cast<size_t>(y + row) * framePitch + x + col] = widen ? To565(p) : p;
        }
}

// Switches and entries in reply order: the list in order, each node's
// children before the node itself.
void Collect(CGenericGumpElement* list, std::vector<CGenericGumpElement*>* switches,
             std::vector<CGenericGumpElement*>* entries) {
    for (CGenericGumpElement* e = list; e; e = e->next) {
        Collect(e->firstChild, switches, entries);
        if ((e->kind == CGenericGumpElement::CHECKBOX || e->kind == CGenericGumpElement::RADIO) &&
            e->state)
            switches->push_back(e);
        if (e->kind == CGenericGumpElement::TEXT_ENTRY) entries->push_back(e);
    }
}

int EntryLength(const CGenericGumpElement* e) {
    const int n = static_cast<int>(e->text.empty() ? 0 : e->text.size() - 1);
    return std::min(n, CGenericGump::MAX_ENTRY_LENGTH);
}

}  // namespace

void CGenericGump::GrowFrame(int minWidth, int minHeight) {
    minWidth = std::clamp(minWidth, 1, 2 * MAX_EXTENT);
    minHeight = std::clamp(minHeight, 1, 2 * MAX_EXTENT);
    if (minWidth <= width && minHeight <= height && FramePixels(0)) return;
    const int oldWidth = width, oldHeight = height, oldPitch = pitch;
    const M_WORD* oldPixels = FramePixels(0);
    std::vector<M_WORD> old;
    if (oldPixels) old.assign(oldPixels, oldPixels + static_cast<size_t>(oldPitch) * oldHeight);
    const int newWidth = std::max(width, minWidth), newHeight = std::max(height, minHeight);
    M_WORD* pixels = NewFrameBlock(0, newWidth, newHeight);
    if (!pixels) return;
    width = newWidth;
    height = newHeight;
    pitch = FramePitch(width);
    for (int row = 0; row < oldHeight && !old.empty(); ++row)
        std::copy_n(old.begin() + static_cast<long>(row) * oldPitch, oldWidth,
                    pixels + static_cast<size_t>(row) * pitch);
}

void CGenericGump::Redraw() {
    width = height = 1;
    pitch = FramePitch(1);
    NewFrameBlock(0, 1, 1);
    for (CGenericGumpElement* e = firstElement; e; e = e->next)
        if (Visible(e, currentPage)) DrawElement(e);
}

void CGenericGump::DrawElement(CGenericGumpElement* e) {
    if (e->kind != CGenericGumpElement::GROUP) {
        if (e->x + e->width > width || e->y + e->height > height)
            GrowFrame(e->x + e->width, e->y + e->height);
        M_WORD* frame = FramePixels(0);
        if (!frame) return;
        const BlitTarget target(frame, pitch, width, height);
        const bool widen = resource_settings::Display565();
        const int w = e->width, h = e->height;
        switch (e->kind) {
            case CGenericGumpElement::GUMP_PICTURE:
            case CGenericGumpElement::BUTTON:
            case CGenericGumpElement::CHECKBOX:
            case CGenericGumpElement::RADIO:
                DrawGumpPixels(CopySpanTransparent, e->state ? e->secondArt : e->art, e->x, e->y,
                               target);
                break;
            case CGenericGumpElement::TILE_PICTURE: {
                const SkipImage image = GraphicManager::GetStaticArt(e->art);
                if (!image || w <= 0 || h <= 0) break;
                std::vector<M_WORD> scratch(static_cast<size_t>(w) * h, 0);
                SkipDrawClipped(CopySpanTransparent, image, BlitTarget(scratch.data(), w, w, h), 0,
                                0);
                CopyScratch(scratch, w, h, frame, pitch, width, height, e->x, e->y, widen);
                break;
            }
            case CGenericGumpElement::RESIZE_FRAME: {
                if (w <= 0 || h <= 0) break;
                std::vector<M_WORD> block(2 + static_cast<size_t>(FramePitch(w)) * h, 0);
                block[0] = static_cast<M_WORD>(w);
                block[1] = static_cast<M_WORD>(h);
                DrawTiledFrame(e->art, block.data(), TRUE);
                for (int row = 0; row < h && e->y + row < height; ++row)
                    for (int col = 0; col < w && e->x + col < width; ++col) {
                        const M_WORD p = block[2 + static_cast<size_t>(row) * FramePitch(w) + col];
                        if (p) frame[static_cast<size_t>(e->y + row) * pitch + e->x + col] = p;
                    }
                break;
            }
            case CGenericGumpElement::TEXT:
            case CGenericGumpElement::TEXT_ENTRY: {
                if (w <= 2 || h <= 2) break;
                std::vector<M_WORD> shown = e->text;
                if (e->kind == CGenericGumpElement::TEXT_ENTRY && e->state)
                    shown.insert(shown.end() - 1, '_');
                const M_WORD* colours = HueColours(e->art);
                std::vector<M_WORD> scratch(static_cast<size_t>(w) * h, 0);
                UnicodeDrawString(BlitTarget(scratch.data(), w, w, h), shown.data(), 1, 1,
                                  colours ? colours[30] : kFallbackColour);
                OutlinePixels(scratch.data(), w, h, kOutlineColour);
                CopyScratch(scratch, w, h, frame, pitch, width, height, e->x, e->y, widen);
                break;
            }
            default:
                break;
        }
    }
    for (CGenericGumpElement* c = e->firstChild; c; c = c->next)
        if (Visible(c, e->groupPage)) DrawElement(c);
}

BOOL CGenericGump::HitTest(int px, int py) {
    for (CGenericGumpElement* e = firstElement; e; e = e->next)
        if (Visible(e, currentPage) && e->HitTest(px, py)) return TRUE;
    return FALSE;
}

void CGenericGump::Press(CGenericGumpElement* e) {
    switch (e->kind) {
        case CGenericGumpElement::BUTTON:
            e->state = 1;
            pressedElement = e;
            Redraw();
            break;
        case CGenericGumpElement::CHECKBOX:
        case CGenericGumpElement::RADIO:
            pressedElement = e;
            break;
        case CGenericGumpElement::TEXT_ENTRY:
            CGumpManager::DeactivateGump();
            CGumpManager::SetActiveGump(this);
            e->state = 1;
            focusedEntry = e;
            Redraw();
            break;
        default:
            break;
    }
}

void CGenericGump::HandleLButtonDown(int px, int py) {
    BringToFront(this, 1);
    buttonHeld = TRUE;
    pressX = px;
    pressY = py;
    for (CGenericGumpElement* e = firstElement; e; e = e->next)
        if (Visible(e, currentPage))
            if (CGenericGumpElement* hit = e->HitTest(px, py)) Press(hit);
}

BOOL CGenericGump::Release(CGenericGumpElement* e, int px, int py) {
    pressedElement = nullptr;
    const bool inside = px >= e->x && px < e->x + e->width && py >= e->y && py < e->y + e->height;
    switch (e->kind) {
        case CGenericGumpElement::BUTTON:
            if (inside && (e->buttonFlags & REPLY_BUTTON)) {
                SendReply(static_cast<M_DWORD>(e->id));
                delete this;
                return FALSE;
            }
            if (inside && (e->buttonFlags & PAGE_BUTTON)) {
                if (e->parent)
                    e->parent->groupPage = e->value;
                else
                    currentPage = e->value;
            }
            e->state = 0;
            Redraw();
            break;
        case CGenericGumpElement::CHECKBOX:
            if (inside) {
                e->state = !e->state;
                Redraw();
            }
            break;
        case CGenericGumpElement::RADIO:
            if (inside && !e->state) {
                for (CGenericGumpElement* s = e->parent ? e->parent->firstChild : firstElement; s;
                     s = s->next)
                    if (s->kind == CGenericGumpElement::RADIO) s->state = 0;
                e->state = 1;
                Redraw();
            }
            break;
        default:
            break;
    }
    return TRUE;
}

void CGenericGump::HandleLButtonUp(int px, int py) {
    buttonHeld = FALSE;
    // The elements that were shown at the press: a page button released here
    // must not release what its new page shows at the same point.
    const int page = currentPage;
    for (CGenericGumpElement* e = firstElement; e; e = e->next) {
        if (!Visible(e, page)) continue;
        CGenericGumpElement* hit = e->HitTest(pressX, pressY);
        if (hit && !Release(hit, px, py)) {
            MouseManager::SetCapture(nullptr);
            return;  // the gump is gone
        }
    }
    MouseManager::SetCapture(nullptr);
}

void CGenericGump::HandleRButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
    if (!closable) return;
    SendReply(0);
    delete this;
}

void CGenericGump::HandleMouseDrag(int px, int py) {
    if (!movable || !buttonHeld || pressedElement) return;
    RECT changed{0, 0, 0, 0};
    MoveBy(px - pressX, py - pressY, TRUE, changed, TRUE);
}

void CGenericGump::EndTextEntry() {
    if (!focusedEntry) return;
    focusedEntry->state = 0;
    focusedEntry = nullptr;
    Redraw();
}

int CGenericGump::HandleKey(int code) {
    CGenericGumpElement* e = focusedEntry;
    if (!e) return 0;
    if (code == 27 || code == 13) {
        CGumpManager::DeactivateGump();
        return 1;
    }
    if (code == 9 || (code >= 0xE023 && code <= 0xE028)) return 1;
    if (code == 8 || code == 0xE02E) {
        if (e->text.size() > 1) {
            e->text.erase(e->text.end() - 2);
            Redraw();
        }
        return 1;
    }
    if (code <= 0 || code > 0xFFFF || !UnicodeGetGlyphInfo(static_cast<M_WORD>(code))) return 1;
    if (static_cast<int>(e->text.size()) - 1 >= MAX_ENTRY_LENGTH) return 1;
    e->text.insert(e->text.end() - 1, static_cast<M_WORD>(code));
    Redraw();
    return 1;
}

BOOL CGenericGump::BuildReply(PDSTRUCT* packet, M_DWORD button) {
    std::vector<CGenericGumpElement*> switches, entries;
    Collect(firstElement, &switches, &entries);
    size_t length = 3 + 4 + 4 + 4 + 4 + 4 * switches.size() + 4;
    for (const CGenericGumpElement* e : entries)
        length += 4 + 2 * static_cast<size_t>(EntryLength(e));
    if (length > PDSTRUCT::kCapacity) {
        TWReport::error("CGenericGump::SendReply: a reply of %zu bytes does not fit a message.\n",
                        length);
        return FALSE;
    }
    PacketManager::BeginPacket(packet, 0xB1);
    PacketManager::WriteU32(packet, serial);
    PacketManager::WriteU32(packet, gumpId);
    PacketManager::WriteU32(packet, button);
    PacketManager::WriteU32(packet, static_cast<M_DWORD>(switches.size()));
    for (const CGenericGumpElement* e : switches)
        PacketManager::WriteU32(packet, static_cast<M_DWORD>(e->id));
    PacketManager::WriteU32(packet, static_cast<M_DWORD>(entries.size()));
    for (const CGenericGumpElement* e : entries) {
        const int n = EntryLength(e);
        PacketManager::WriteU16(packet, static_cast<unsigned>(e->id) & 0xFFFF);
        PacketManager::WriteU16(packet, static_cast<unsigned>(n));
        for (int i = 0; i < n; ++i)
            PacketManager::WriteU16(packet, e->text[static_cast<size_t>(i)]);
    }
    return !packet->overflow;
}

void CGenericGump::SendReply(M_DWORD button) {
    if (serial == 0 || !g_pGameSocket) return;
    PDSTRUCT packet;
    if (BuildReply(&packet, button)) g_pGameSocket->Write(&packet);
}
