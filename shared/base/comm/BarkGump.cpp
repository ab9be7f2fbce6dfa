// Barks: placing a text over its owner or at the foot of the game window,
// stacking the barks of one owner, following the owner, and the bark's own
// mouse handling.
#include "comm/BarkGump.h"
#include "comm/CommServices.h"

#include <algorithm>
#include <cstring>

#include "Clock.h"
#include "FrameBuf.h"
#include "ProcessFlags.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "gumps/TextManager.h"
#include "resources/BlitTarget.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "view/MapGump.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"
#include "world/SpeakerRecord.h"

ObjectText* CBarkGump::systemHead = nullptr;
BOOL CBarkGump::suppressRelayout = FALSE;

namespace {

constexpr int kHoverHue = 53;
constexpr int kLineHeight = 15;
constexpr int kSystemFootGap = 45;

CBarkGump* AsBark(ObjectText* text) {
    return static_cast<CBarkGump*>(text);
}

BOOL OwnerIsMobileOrCorpseObject(CObj* owner) {
    return owner && (owner->IsMobile() || owner->IsCorpse());
}

// The container whose gump shows the owner, when the owner lies in a
// container rather than in the world or on a mobile.
CContainerObj* HoldingContainer(CObj* owner) {
    if (!owner || !owner->IsDynamic()) return nullptr;
    CContainerObj* holder = static_cast<CDynamicObj*>(owner)->containedBy;
    return holder && !holder->AsWearer() ? holder : nullptr;
}

}  // namespace

void CBarkGump::JournalPrefix(std::string* prefix, BOOL* label) {
    prefix->clear();
    *label = FALSE;
    if (g_speechKind == SPEECH_KIND_OVER_OBJECT) {
        char name[SPEAKER_NAME_SIZE + 1] = {};
        memcpy(name, g_speakerName, SPEAKER_NAME_SIZE);
        *prefix = std::string(name) + ": ";
    } else if (g_speechKind == SPEECH_KIND_OVER_OBJECT_IN_GUMP) {
        *prefix = "You see: ";
        *label = TRUE;
    }
    g_speechKind = SPEECH_KIND_SYSTEM;
    g_speakerName[0] = 0;
}

CBarkGump::CBarkGump(CObj* object, int hueIn, int fontIn, CGump* parentGump, int kind, int value2In)
    : CGump(0, 0, nullptr, object, 1, 0, 0), kind_(kind) {
    name = "bark gump";
    hue = static_cast<M_WORD>(hueIn);
    font = static_cast<M_WORD>(fontIn);
    value1 = kind;
    value2 = value2In;
    ownerGump = parentGump;
}

CBarkGump::CBarkGump(CObj* object, const char* text, int hueIn, int fontIn, CGump* parentGump,
                     int kind, int value2In)
    : CBarkGump(object, hueIn, fontIn, parentGump, kind, value2In) {
    text_ = text ? text : "";
    std::string prefix;
    JournalPrefix(&prefix, &label_);
    TextManager::AddJournalText((prefix + text_).c_str(), hue);
    Place(Measure(WrapWidth()), kSystemFootGap);
}

CBarkGump* CBarkGump::Create(CObj* object, const char* text, int hue, int font, CGump* ownerGump,
                             int kind, int value2) {
    auto* bark = new CBarkGump(object, text, hue, font, ownerGump, kind, value2);
    if (!bark->Dead()) return bark;
    delete bark;
    return nullptr;
}

ObjectText*& CBarkGump::ChainHead() {
    return owner ? owner->textGumps : systemHead;
}

CBarkGump* CBarkGump::Newer() {
    CBarkGump* newer = nullptr;
    for (ObjectText* t = ChainHead(); t && t != this; t = t->nextText) newer = AsBark(t);
    return newer;
}

CBarkGump::Size CBarkGump::Measure(int wrapWidth) {
    int w = 0, h = 0, baseline = 0;
    FontManager::CalcInfoWrap(font, text_.empty() ? " " : text_.c_str(), wrapWidth, &w, &h,
                              &baseline, 0);
    return {w, h};
}

void CBarkGump::Anchor(int* ax, int* ay) const {
    *ax = ((owner->rect.left + owner->rect.right) >> 1) - g_viewOffsetX;
    *ay = owner->rect.top - g_viewOffsetY + 4;
}

void CBarkGump::Bounds(int* maxX, int* maxY) const {
    if (inGameArea_) {
        *maxX = GraphicManager::getGameplayWindowPixelWidth() - 1;
        *maxY = GraphicManager::getGameplayWindowPixelHeight() - 1;
    } else {
        *maxX = g_displayWidth - 1;
        *maxY = g_displayHeight - 1;
    }
}

void CBarkGump::ClampPosition() {
    int maxX = 0, maxY = 0;
    Bounds(&maxX, &maxY);
    x = unclampedX;
    if (x + width > maxX) x = maxX - width;
    if (x < 0) x = 0;
    y = unclampedY;
    if (y + height > maxY) y = maxY - height;
    if (y < 0) y = 0;
}

void CBarkGump::Place(Size size, int systemFootGap) {
    ObjectText*& head = ChainHead();
    nextText = head;
    head = this;

    int px = 0, py = 0;
    if (owner) {
        if (CContainerObj* holder = HoldingContainer(owner)) {
            CGump* shown = holder->containerGump;
            if (!shown) {
                dead_ = TRUE;
                return;
            }
            inGameArea_ = FALSE;
            int sx = 0, sy = 0;
            CGump::GumpToScreenCoords(shown, &sx, &sy);
            px = anchorX = sx + shown->grabX;
            py = anchorY = sy + shown->grabY;
        } else {
            Anchor(&anchorX, &anchorY);
            px = anchorX;
            py = anchorY;
            if (!owner->IsMobile() && label_ && !owner->IsCorpse() && GraphicManager::pMapGump) {
                px = GraphicManager::pMapGump->grabX;
                py = GraphicManager::pMapGump->grabY;
            }
        }
    } else {
        px = 0;
        py = std::min(g_displayHeight, GraphicManager::getGameplayWindowPixelHeight()) -
             systemFootGap;
    }

    width = std::max(size.width, 0);
    height = std::max(size.height, 0);
    pitch = FramePitch(width);
    if (owner) px -= width / 2;
    unclampedX = px;
    unclampedY = py - height;
    ClampPosition();

    if (width > 0 && height > 0 && NewFrameBlock(0, width, height)) RenderText(hue);

    int maxX = 0, maxY = 0;
    Bounds(&maxX, &maxY);
    for (ObjectText* t = nextText; t; t = t->nextText) {
        CBarkGump* older = AsBark(t);
        older->unclampedY -= height;
        older->y = std::max(older->unclampedY, 0);
        if (older->y + older->height > maxY + 1) older->y = maxY + 1 - older->height;
    }
    ArrangeStack(this);

    startTime = GetTimeMs();
    // A text in a font under one line's height still counts as one line:
    // it would otherwise get no time at all and go before it was drawn.
    const long long lines = std::max(1, height / kLineHeight);
    const long long perLine = 40LL * BarkTimeModifier;
    const long long ms = ScaleBarkTimes ? lines * perLine : perLine;
    duration = static_cast<M_DWORD>(std::clamp(ms, 0LL, 0x7FFFFFFFLL));
    PutInGump(nullptr);
}

CBarkGump::~CBarkGump() {
    // The world's own text rules unlink a text before deleting it; anything
    // else leaves its chain here.
    ObjectText*& head = ChainHead();
    for (ObjectText** link = &head; *link; link = &(*link)->nextText)
        if (*link == this) {
            *link = nextText;
            break;
        }
    nextText = nullptr;
    if (!suppressRelayout && !g_objectDeletingTexts && !g_gumpTeardown && !g_quitFlag && head) {
        for (ObjectText* t = head; t; t = t->nextText) t->FollowOwner();
        ArrangeStack(AsBark(head));
    }
}

int CBarkGump::GetKind() {
    return kind_;
}

const char* CBarkGump::GetText() {
    return text_.c_str();
}

void CBarkGump::FollowOwner() {
    if (!owner || owner->IsPlayer() || !inGameArea_) return;
    int nx = 0, ny = 0;
    Anchor(&nx, &ny);
    unclampedX += nx - anchorX;
    unclampedY += ny - anchorY;
    anchorX = nx;
    anchorY = ny;
    ClampPosition();
}

void CBarkGump::ArrangeStack(CBarkGump* bark) {
    if (!bark) return;
    ObjectText* head = bark->ChainHead();
    if (!head) return;
    int maxX = 0, maxY = 0;
    bark->Bounds(&maxX, &maxY);
    auto oldestOf = [&] {
        ObjectText* last = head;
        while (last->nextText) last = last->nextText;
        return AsBark(last);
    };
    long long sum = 0;
    for (ObjectText* t = head; t; t = t->nextText) sum += AsBark(t)->height;
    CBarkGump* oldest = oldestOf();
    while (sum > maxY && oldest != bark) {
        sum -= oldest->height;
        const BOOL saved = suppressRelayout;
        suppressRelayout = TRUE;
        delete oldest;
        suppressRelayout = saved;
        head = bark->ChainHead();
        oldest = oldestOf();
    }
    CBarkGump* newest = AsBark(head);
    if (oldest->unclampedY < 0) {
        oldest->y = 0;
        for (CBarkGump* b = oldest; b != newest;) {
            CBarkGump* newer = b->Newer();
            newer->y = b->y + b->height;
            b = newer;
        }
    } else if (newest->unclampedY + newest->height > maxY + 1) {
        newest->y = maxY + 1 - newest->height;
        for (ObjectText* t = newest; t->nextText; t = t->nextText)
            AsBark(t->nextText)->y = AsBark(t)->y - AsBark(t->nextText)->height;
    }
}

void CBarkGump::RenderText(int textHue) {
    M_WORD* pixels = FramePixels(0);
    if (!pixels) return;
    std::fill_n(pixels, static_cast<size_t>(pitch) * height, 0);
    FontManager::DrawstringBuf(0, 0, font, textHue, text_.empty() ? " " : text_.c_str(), width,
                               BlitTarget(pixels, pitch, width, height), 0, 0, FALSE);
}

BOOL IsCovered(CBarkGump* bark) {
    if (!bark) {
        TWReport::fatal("IsCovered: pBark == NULL\n");
        return FALSE;
    }
    const RECT mine = bark->ScreenRect();
    for (CGump* g = g_gumpList; g && g != bark; g = g->next)
        if (g->IsBarkGump() && g->visible && RectsIntersect(g->ScreenRect(), mine)) return TRUE;
    return FALSE;
}

void CBarkGump::DrawContents(const RECT& dirty) {
    if (!visible) return;
    if (!IsCovered(this)) return CGump::DrawContents(dirty);
    GumpDrawTarget& target = CGumpManager::drawTarget;
    const M_WORD* pixels = FramePixels(0);
    if (!target.active() || !pixels) return;
    const RECT screen = ScreenRect();
    const RECT r{std::max({screen.left, dirty.left, 0}), std::max({screen.top, dirty.top, 0}),
                 std::min({screen.right, dirty.right, target.width}),
                 std::min({screen.bottom, dirty.bottom, target.height})};
    if (RectIsEmpty(r)) return;
    // Half and half with what lies behind: each channel loses its low bit
    // before the halves are added.
    const M_WORD mask = use565 ? 0xF7DE : 0x7BDE;
    const long total = static_cast<long>(target.width) * target.height;
    for (int row = r.top; row < r.bottom; ++row) {
        const long index = target.Index(r.left, row);
        if (index < 0 || index + (r.right - r.left) > total) break;
        M_WORD* dst = target.pixels + index;
        const M_WORD* src =
            pixels + static_cast<long>(row - screen.top) * pitch + (r.left - screen.left);
        for (int i = 0; i < r.right - r.left; ++i) {
            if (!src[i]) continue;
            M_WORD sum = static_cast<M_WORD>(((src[i] & mask) >> 1) + ((dst[i] & mask) >> 1));
            if (use565) sum |= 1;
            dst[i] = sum;
        }
    }
}

void CBarkGump::HandleMouseMove(int, int) {
    if (g_gumpList != this) BringToFront(this, 1);
    if (OwnerIsMobileOrCorpseObject(owner)) RenderText(kHoverHue);
}

void CBarkGump::HandleMouseMoveAway() {
    CGump::HandleMouseMoveAway();
    if (OwnerIsMobileOrCorpseObject(owner)) RenderText(hue);
}

void CBarkGump::HandleLButtonDown(int px, int py) {
    buttonDown_ = TRUE;
    grabX = px;
    grabY = py;
    if (clickState_ != 1) {
        clickState_ = 1;
        firstClickTime_ = GetTimeMs();
    } else {
        clickState_ = 2;
    }
}

void CBarkGump::HandleLButtonUp(int, int) {
    buttonDown_ = FALSE;
    if (singleClickPending_) {
        singleClickPending_ = FALSE;
        clickState_ = 0;
    } else if (clickState_ == 2) {
        clickState_ = 0;
        OnDoubleClick();
    }
    MouseManager::SetCapture(nullptr);
}

void CBarkGump::Tick() {
    if (clickState_ != 1 ||
        GetTimeMs() - firstClickTime_ <= static_cast<M_DWORD>(GetDoubleClickTime()))
        return;
    clickState_ = 0;
    if (buttonDown_)
        singleClickPending_ = TRUE;
    else
        OnSingleClick();
}

void CBarkGump::HandleRButtonUp(int, int) {
    delete this;
}

void CBarkGump::OnDoubleClick() {
    if (OwnerIsMobileOrCorpseObject(owner))
        CObjectManager::UseObject(static_cast<CDynamicObj*>(owner));
}

void CBarkGump::OnSingleClick() {
    // A text over a creature or corpse stands for its owner: a target cursor
    // is answered with the owner by the play area's click rule.
    if (OwnerIsMobileOrCorpseObject(owner)) CMapGump::AnswerTargetWith(owner);
}

namespace {

class BarkTexts final : public ObjectTexts {
public:
    ObjectText* MakeText(CObj* object, const char* text, int hue, int font, CGump* ownerGump,
                         int value1, int value2) override {
        return CBarkGump::Create(object, text, hue, font, ownerGump, value1, value2);
    }
    void ArrangeStack(ObjectText* first) override {
        CBarkGump::ArrangeStack(static_cast<CBarkGump*>(first));
    }
};

}  // namespace

void InstallBarkServices() {
    static BarkTexts texts;
    tw::Service<ObjectTexts>::Install(&texts);
}
