// A recording double of what entering the world and the popup help ask of
// the windows above the application (app/SmallMessages.h) and of the front
// end (login/LoginState.h).  With defer set it holds the login completion
// back as an open front end does; the popup
// help's texts are kept, and a real gump of the given size is opened for
// each so that closing and moving can be seen.  It installs itself while
// it lives.
#pragma once

#include <string>
#include <vector>

#include "Service.h"
#include "app/SmallMessages.h"
#include "gumps/Gump.h"
#include "login/LoginState.h"

namespace tw::doubles {

class RecordingWorldEntry final : public WorldEntry, public LoginCompletionHold {
public:
    BOOL defer = FALSE;
    void (*deferred)() = nullptr;
    std::vector<std::string> calls;
    std::vector<std::u16string> popupTexts;
    BOOL openGumps = TRUE;

    BOOL DeferLoginCompletion(void (*complete)()) override {
        calls.push_back("Defer");
        if (defer) deferred = complete;
        return defer;
    }
    void LoadDesktop() override { calls.push_back("LoadDesktop"); }
    void SaveDesktop() override { calls.push_back("SaveDesktop"); }
    CGump* OpenScrollText(int x, int y, int width, int height, const M_WORD* text) override {
        std::u16string t;
        for (const M_WORD* p = text; *p; ++p) t.push_back(static_cast<char16_t>(*p));
        popupTexts.push_back(t);
        calls.push_back("ScrollText " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(width) + " " + std::to_string(height));
        if (!openGumps) return nullptr;
        CGump* gump = new CGump(x, y, nullptr, nullptr, 0, width, height);
        gump->PutInGump(nullptr);
        return gump;
    }

private:
    tw::ScopedService<WorldEntry> installed_{this};
    tw::ScopedService<LoginCompletionHold> hold_{this};
};

}  // namespace tw::doubles
