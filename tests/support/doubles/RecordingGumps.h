// Recording doubles of what the real gump framework asks of the modules
// above it (gumps/GumpHooks.h) and of its parts that are not built yet
// (gumps/Gump.h, MouseManager.h, TextManager.h, InputWindow.h), each
// installed while it lives; and gumps for tests: a gump that records its
// keys and buttons, gumps of each kind the world model tells about objects,
// and a wrapper that lists a gump of any kind in the framework's top-level
// list while it lives.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Service.h"
#include "gumps/Gump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "gumps/Sequence.h"
#include "gumps/TextManager.h"
#include "support/TwTest.h"

namespace tw::doubles {

// The drag gump: the drag gumps made.
class RecordingGumpManager final : public GumpService {
public:
    int dragGumpsMade = 0;

    CGump* MakeDragGump() override {
        ++dragGumpsMade;
        return new CGump();
    }

private:
    tw::ScopedService<GumpService> gumps_{this};
};

// What the gump framework asks of the modules above it (gumps/GumpHooks.h):
// every call in order ("CreateStackGump 10 20", "LogoutFromWorld",
// "InvalidateScreen"...); no gump is made.  inWorld and atWar are the
// session's answers.
class RecordingGumpHooks final : public GumpFactory, public GumpScreen, public GumpSession {
public:
    std::vector<std::string> calls;
    BOOL inWorld = FALSE;
    BOOL atWar = FALSE;

    CGump* CreateTextGump(int x, int y) override { return Made("CreateTextGump", x, y); }
    CGump* CreateStatusGump(CObj*, int flag) override { return Made("CreateStatusGump", flag, 0); }
    CGump* CreatePaperdollGump(int x, int y, CGump*, CObj*, int, int, int, const char*,
                               int) override {
        return Made("CreatePaperdollGump", x, y);
    }
    CGump* CreateShopGump(int x, int y, CObj*) override { return Made("CreateShopGump", x, y); }
    CGump* CreateStackGump(int x, int y, CObj*) override { return Made("CreateStackGump", x, y); }
    CGump* CreateOptionsGump() override { return Made("CreateOptionsGump", 0, 0); }
    CGump* CreateRadarGump(int x, int y, int) override { return Made("CreateRadarGump", x, y); }
    CGump* CreateContainerGump(int x, int y, CGump*, CObj*, int, int, int, int) override {
        return Made("CreateContainerGump", x, y);
    }
    CGump* CreatePointGump(int x, int y, BOOL) override { return Made("CreatePointGump", x, y); }
    CGump* CreateGMChatGump(int x, int y, int, int) override {
        return Made("CreateGMChatGump", x, y);
    }
    CGump* CreateHTMLGump(int x, int y, int, int) override { return Made("CreateHTMLGump", x, y); }
    CGump* CreateMailGump(int x, int y, int, int) override { return Made("CreateMailGump", x, y); }
    std::string HelpChatRequestText() override { return ""; }
    std::string AccountPageAddress() override { return ""; }
    void LoadSkillGroups() override { calls.push_back("LoadSkillGroups"); }

    void InvalidateScreen() override { calls.push_back("InvalidateScreen"); }
    void ResetScroll() override { calls.push_back("ResetScroll"); }
    void StepMobileAnimations() override {}
    void UpdateHelpHovering() override {}

    BOOL IsInWorld() override { return inWorld; }
    BOOL PlayerAtWar() override { return atWar; }
    void UpdateInputPrompt() override {}
    void LogoutFromWorld() override { calls.push_back("LogoutFromWorld"); }
    void ForgetGump(CGump*) override {}

private:
    CGump* Made(const char* what, int x, int y) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + " " + std::to_string(y));
        return nullptr;
    }

    tw::ScopedService<GumpFactory> factory_{this};
    tw::ScopedService<GumpScreen> screen_{this};
    tw::ScopedService<GumpSession> session_{this};
};

// The mouse manager's cursor: every call in order ("LoadCursorArt",
// "EnableCursor 1", "MoveCursor 1", "DrawCursor", "EraseCursor"), guarded
// for the cursor thread; the size GetCursorSize reports and the cell
// GetTileUnderPoint answers.
class RecordingMouse final : public MouseCursorService {
public:
    std::vector<std::string> MouseCalls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    void ClearMouseCalls() {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }
    int cursorWidth = 0;
    int cursorHeight = 0;
    int cellX = -1;
    int cellY = -1;

    void LoadCursorArt() override { Record("LoadCursorArt"); }
    void FreeCursorArt() override { Record("FreeCursorArt"); }
    void EnableCursor(BOOL on) override { Record("EnableCursor " + std::to_string(on)); }
    void GetCursorSize(int* width, int* height) override {
        *width = cursorWidth;
        *height = cursorHeight;
    }
    void MoveCursor(BOOL force) override { Record("MoveCursor " + std::to_string(force)); }
    void DrawCursor() override { Record("DrawCursor"); }
    void EraseCursor() override { Record("EraseCursor"); }
    void GetTileUnderPoint(int, int, int* x, int* y) override {
        *x = cellX;
        *y = cellY;
    }

private:
    void Record(const std::string& call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(call);
    }

    std::mutex mutex_;
    std::vector<std::string> calls_;
    tw::ScopedService<MouseCursorService> installed_{this};
};

// The text manager: the system messages and the typed speech; onSendSpeech
// runs after a SendSpeech is recorded (a test can let it count spam as the
// real sender does).
class RecordingTextManager final : public TextManagerService {
public:
    struct SystemMessage {
        int hue;
        int font;
        std::string text;
    };
    struct Speech {
        std::string text;
        int length;
        int type;
    };
    std::vector<SystemMessage> systemMessages;
    std::vector<Speech> speech;
    std::function<void(const Speech&)> onSendSpeech;

    void startup() override {}
    void shutdown() override {}
    void CloseJournalFile() override {}
    void AddSystemMessage(int hue, int font, const char* text) override {
        systemMessages.push_back({hue, font, text ? text : ""});
    }
    void SendSpeech(const char* text, int length, int type) override {
        speech.push_back({text ? text : "", length, type});
        if (onSendSpeech) onSendSpeech(speech.back());
    }
    void AddJournalText(const char* text, M_DWORD) override { journal.push_back(text ? text : ""); }
    void AddJournalText(const M_WORD* text, M_DWORD) override {
        std::string narrow;
        for (const M_WORD* u = text; u && *u; ++u) narrow.push_back(*u < 128 ? char(*u) : '?');
        journal.push_back(narrow);
    }
    // Journal lines, wide ones narrowed.
    std::vector<std::string> journal;

private:
    tw::ScopedService<TextManagerService> installed_{this};
};

// The speech input line: every call in order ("SpecialKey <code> <keysym
// hex>", "HandleKey <code>", "RedrawText <hue> <font>", "PromptReply <type>
// '<text>'", "SetMode <mode>", "UpdatePrompt"); what IsPromptPending
// answers.
class RecordingInputWindow final : public InputWindowService {
public:
    std::vector<std::string> calls;
    bool promptPending = false;

    CInputWindow* MakeInputWindow() override { return new CInputWindow(); }
    int HandleSpecialKey(int code, M_DWORD extendedKeySym) override {
        char text[64];
        snprintf(text, sizeof text, "SpecialKey %d %x", code, extendedKeySym);
        calls.push_back(text);
        return 0;
    }
    void HandleKey(CInputWindow*, int code) override {
        calls.push_back("HandleKey " + std::to_string(code));
    }
    void RedrawText(CInputWindow*, int hue, int font) override {
        calls.push_back("RedrawText " + std::to_string(hue) + " " + std::to_string(font));
    }
    BOOL IsPromptPending() override { return promptPending ? TRUE : FALSE; }
    void SendPromptReply(CInputWindow*, int replyType, const char* reply) override {
        calls.push_back("PromptReply " + std::to_string(replyType) + " '" + (reply ? reply : "") +
                        "'");
    }
    void SetMode(CInputWindow*, int mode) override {
        calls.push_back("SetMode " + std::to_string(mode));
    }
    void UpdatePrompt(CInputWindow*) override { calls.push_back("UpdatePrompt"); }

private:
    tw::ScopedService<InputWindowService> installed_{this};
};

// All of them, for a test that runs code reaching the whole framework.
struct RecordingGumpFramework {
    RecordingGumpHooks hooks;
    RecordingGumpManager manager;
    RecordingMouse mouse;
    RecordingTextManager text;
    RecordingInputWindow input;
};

// A gump that records the keys and buttons it gets.
class RecordingGump : public CGump {
public:
    int HandleKey(int code) override {
        calls.push_back("HandleKey " + std::to_string(code));
        return 1;
    }
    BOOL CapturesKeys() override { return captureField != nullptr; }
    CGump* GetKeyCaptureField() override { return captureField; }
    void HandleButton(CGump*) override { calls.push_back("HandleButton"); }
    void HandleLButtonDown(int x, int y) override { Mouse("LButtonDown", x, y); }
    void HandleLButtonUp(int x, int y) override { Mouse("LButtonUp", x, y); }
    void HandleRButtonDown(int x, int y) override { Mouse("RButtonDown", x, y); }
    void HandleRButtonUp(int x, int y) override { Mouse("RButtonUp", x, y); }

    CGump* captureField = nullptr;
    std::vector<std::string> calls;

private:
    void Mouse(const char* what, int x, int y) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + " " + std::to_string(y));
    }
};

// Links a gump at the head of the top-level list (or of a parent's
// children); its destructor takes it out again.
inline void LinkGump(CGump* gump, CGump* parent) {
    gump->PutInGump(parent);
}

// Counts the deletions of every listed gump; every test starts at 0.
inline int& DeletedGumps() {
    static int count = 0;
    return count;
}
inline const bool kDeletedGumpsReset = [] {
    tw::test::AddServiceReset([] {
        DeletedGumps() = 0;
        // The real gump and mouse managers keep no pointer from a test.
        CGumpManager::reset();
        MouseManager::reset();
    });
    return true;
}();

// A gump of any kind, listed while it lives.
template <typename Kind>
class Listed : public Kind {
public:
    explicit Listed(CObj* shows = nullptr, CGump* parent = nullptr) {
        this->owner = shows;
        LinkGump(this, parent);
    }
    ~Listed() override { ++DeletedGumps(); }
};

// The log of what the world model's news asked of the dialog gumps below:
// every call as text ("AddToGump <gump> <object>", ...), with the gump and
// object addresses replaced by the names a test gives them ("?" for others).
// The newest log lives is the one the gumps write to.
class DialogLog {
public:
    DialogLog() : previous_(current_) { current_ = this; }
    ~DialogLog() { current_ = previous_; }
    DialogLog(const DialogLog&) = delete;
    DialogLog& operator=(const DialogLog&) = delete;

    std::vector<std::string> calls;
    std::map<const void*, std::string> names;

    std::string NameOf(const void* p) const {
        auto it = names.find(p);
        return it == names.end() ? "?" : it->second;
    }
    static void Record(const char* call, const void* gump, const std::string& rest = "") {
        if (!current_) return;
        std::string text = std::string(call) + " " + current_->NameOf(gump);
        if (!rest.empty()) text += " " + rest;
        current_->calls.push_back(text);
    }
    static std::string Name(const void* p) { return current_ ? current_->NameOf(p) : "?"; }

private:
    DialogLog* previous_;
    static inline DialogLog* current_ = nullptr;
};

// Dialog gumps as the world model's news reaches them, each recording into
// the current DialogLog.
class ContainerGump : public CGump {
public:
    BOOL IsContainerGump() override { return TRUE; }
    void AddToGump(CObj* object) override {
        DialogLog::Record("AddToGump", this, DialogLog::Name(object));
    }
    void AddContents(const RECT& a) override {
        char text[64];
        snprintf(text, sizeof text, "%d,%d,%d,%d", a.left, a.top, a.right, a.bottom);
        DialogLog::Record("AddContents", this, text);
    }
};
class PaperdollGump : public CGump {
public:
    BOOL IsPaperdollGump() override { return TRUE; }
    void Invalidate() override { DialogLog::Record("PaperdollInvalidate", this); }
};
class ShopGump : public CGump {
public:
    BOOL IsShopGump() override { return TRUE; }
    BOOL IgnoresRemovals() override { return ignoresRemovals; }
    void RemoveItem(M_DWORD serial) override {
        DialogLog::Record("RemoveItem", this, std::to_string(serial));
    }
    void RedrawFrame() override { DialogLog::Record("RedrawFrame", this); }
    BOOL ignoresRemovals = FALSE;
};
class BBGump : public CGump {
public:
    BOOL IsBBGump() override { return TRUE; }
    void RemoveMessage(CGump* message) override {
        DialogLog::Record("RemoveMessage", this, DialogLog::Name(message));
    }
};
class RadarGump : public CGump {
public:
    void RenderMap() override { DialogLog::Record("RenderMap", this); }
};
class StackGump : public CGump {
public:
    void CenterAmountSlider() override { DialogLog::Record("CenterAmountSlider", this); }
};
class TradeGump : public CGump {
public:
    M_DWORD GetTradeSerial() override { return tradeSerial; }
    M_DWORD tradeSerial = 0;
};

}  // namespace tw::doubles
