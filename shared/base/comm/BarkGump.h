// CBarkGump: one piece of text shown over a world object (its owner), or,
// without an owner, a system line at the foot of the game window.  Every
// bark also writes its text to the journal (gumps/TextManager.h).
//
// Barks of one owner form a chain, newest first, whose head the owner keeps
// (CObj::textGumps, the world model's ObjectText chain); barks without an
// owner form the system chain, whose head lives here.  A new bark pushes the
// older ones of its chain up by its own height; a chain taller than the
// window loses its oldest barks.  Barks follow their owner as it and the view
// move, are closed by the gump manager once their duration has passed
// (LifetimeOver), and by the right button.  Every bark is a top-level gump;
// main thread only.
#pragma once

#include <string>

#include "TWTypes.h"
#include "comm/Comm.h"
#include "gumps/Gump.h"
#include "world/ObjectText.h"

class CBarkGump : public CGump, public ObjectText {
public:
    // Reads and resets the speaker record (world/SpeakerRecord.h) for the
    // journal line; kind 0 is an ordinary bark that the owner's text rules
    // may delete, any other kind is kept.  The bark links itself at the
    // front of the top-level gumps; when its owner lies in a closed
    // container it shows nothing (Dead() answers TRUE) and the caller
    // deletes it.
    CBarkGump(CObj* object, const char* text, int hue, int font, CGump* ownerGump = nullptr,
              int kind = 0, int value2 = 0);
    ~CBarkGump() override;

    int GetKind() override;
    // Moves the bark by its owner's screen displacement, clamped to the
    // window.
    void FollowOwner() override;
    // Fits the whole chain of `bark` into the window.
    static void ArrangeStack(CBarkGump* bark);
    const char* GetText() override;

    void DrawContents(const RECT& dirty) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseMoveAway() override;
    void Tick() override;
    BOOL IsInGameArea() override { return inGameArea_; }
    BOOL IsDisposable() override { return FALSE; }
    BOOL IsBarkGump() override { return TRUE; }
    BOOL LifetimeOver(M_DWORD now) override { return now - startTime > duration; }
    void ArrangeStack() override { ArrangeStack(this); }

    // Draws the text in that hue over the whole frame.
    virtual void RenderText(int textHue);

    // The owner lies in a closed container: nothing is shown.
    BOOL Dead() const { return dead_; }

    // The head of the system chain (barks without owner).
    static ObjectText* systemHead;
    // Set while a chain is trimmed: closing barks leave the chain's layout
    // alone.
    static BOOL suppressRelayout;

    // Makes one through the installed communication dialogs.
    static CGump* Make(CObj* object, const char* text, int hue, int font) {
        return comm::Service().MakeBarkGump(object, text, hue, font);
    }
    // Makes one and deletes it at once when its owner lies in a closed
    // container.  Returns it, or null.
    static CBarkGump* Create(CObj* object, const char* text, int hue, int font,
                             CGump* ownerGump = nullptr, int kind = 0, int value2 = 0);

    M_DWORD startTime = 0;
    M_DWORD duration = 0;
    // The owner's screen point as last computed, and where the bark would
    // stand without clamping.
    int anchorX = 0, anchorY = 0;
    int unclampedX = 0, unclampedY = 0;
    char language[4] = "ENU";

protected:
    // The second stage of construction, shared with the Unicode bark once
    // its text is in place: measures, places, renders, links.
    struct Size {
        int width;
        int height;
    };
    CBarkGump(CObj* object, int hue, int font, CGump* ownerGump, int kind, int value2);
    void Place(Size size, int systemFootGap);
    virtual Size Measure(int wrapWidth);
    int WrapWidth() const { return owner ? 200 : 320; }
    static void JournalPrefix(std::string* prefix, BOOL* label);

    std::string text_;
    int kind_ = 0;
    BOOL label_ = FALSE;
    BOOL dead_ = FALSE;
    BOOL inGameArea_ = TRUE;

private:
    void Anchor(int* ax, int* ay) const;
    void Bounds(int* maxX, int* maxY) const;
    void ClampPosition();
    void OnSingleClick();
    void OnDoubleClick();
    // The chain this bark belongs to: the owner's texts or the system
    // chain; older barks follow through nextText.
    ObjectText*& ChainHead();
    CBarkGump* Newer();

    BOOL buttonDown_ = FALSE;
    BOOL singleClickPending_ = FALSE;
    M_DWORD firstClickTime_ = 0;
    int clickState_ = 0;
};

// TRUE when a bark in front of this one overlaps it.
BOOL IsCovered(CBarkGump* bark);

// Installs the barks as the world model's texts over objects.
void InstallBarkServices();
