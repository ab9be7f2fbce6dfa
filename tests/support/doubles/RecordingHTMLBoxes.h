// A recording double of the description boxes of the creation gumps
// (login/DescriptionBox.h): every box made, with its owner, style flags,
// text and place, and whether it was deleted since.  Each box is an empty
// gump in its owner, which frees it with itself.  It installs itself while
// it lives.
#pragma once

#include <string>
#include <vector>

#include "Service.h"
#include "gumps/Gump.h"
#include "login/DescriptionBox.h"
#include "support/WideText.h"

namespace tw::doubles {

class RecordingHTMLBoxes final : public HTMLBoxMaker {
public:
    struct Box {
        CGump* owner;
        int flags;
        std::string text;
        int x, y, width, height;
        CGump* gump;
        bool deleted = false;
    };
    std::vector<Box> boxes;

    CGump* MakeHTMLBox(CGump* owner, int flags, const M_WORD* text, int x, int y, int width,
                       int height) override {
        auto* gump = new CGump();
        gump->PutInGump(owner);
        boxes.push_back({owner, flags, tw::test::Narrow(text), x, y, width, height, gump});
        return gump;
    }
    void DeleteHTMLBox(CGump* box) override {
        if (!box) return;
        for (Box& b : boxes)
            if (b.gump == box && !b.deleted) b.deleted = true;
        delete box;
    }
    // The boxes not deleted.
    std::vector<const Box*> Live() const {
        std::vector<const Box*> live;
        for (const Box& b : boxes)
            if (!b.deleted) live.push_back(&b);
        return live;
    }

private:
    tw::ScopedService<HTMLBoxMaker> installed_{this};
};

}  // namespace tw::doubles
