// Recording doubles of the gump framework's services that are not built yet
// (gumps/Gump.h, GumpManager.h, MouseManager.h, TextManager.h,
// InputWindow.h), each installed while it lives; and gumps for
// tests: a gump that records its keys, gumps of each kind the world model
// tells about objects, and a wrapper that lists a gump of any kind in the
// framework's top-level list while it lives.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Service.h"
#include "gumps/DeathMenuGump.h"
#include "gumps/Gump.h"
#include "gumps/GumpManager.h"
#include "gumps/InputWindow.h"
#include "gumps/MouseManager.h"
#include "gumps/Sequence.h"
#include "gumps/TextManager.h"
#include "support/TwTest.h"

namespace tw::doubles {

// CGump's linking and raising, the drag gump and effect sequences, and the
// gump manager.
class RecordingGumpManager final : public GumpService, public GumpManagerService {
public:
    // CGump: BringToFront, Minimize and Restore in order with their gump
    // ("BringToFront", "Minimize", "Restore"); the drag gumps made; the
    // records added to sequences.
    struct GumpStackCall {
        std::string what;
        const CGump* gump;
    };
    std::vector<GumpStackCall> gumpStackCalls;
    std::vector<const CGump*> broughtToFront;
    int dragGumpsMade = 0;
    int deathMenusMade = 0;
    struct SequenceRecord {
        int kind;
        std::vector<unsigned char> bytes;
    };
    std::vector<SequenceRecord> sequenceRecords;

    // CGumpManager: every OpenWaitingGump (16-bit texts narrowed, units
    // above 0xFF as '?'); the other calls in order ("startup", "shutdown",
    // "RecreateMainBitmap", "Update", "CloseDragGump", "OpenGump <id>
    // object|none <flag>", "OpenMailGump", "CloseFlaggedGumps",
    // "ScrollMissiles <dx> <dy>", "UpdateBarkPositions"); what OpenGump and
    // FindWindowGump answer.  A waiting gump counts as open (IsGumpOpen)
    // until CloseWaitingGumps.
    struct WaitingGumpCall {
        std::string text;
        bool hasParent;
        int withButton;
        int logoutOnClose;
        int wideText;
    };
    std::vector<WaitingGumpCall> waitingGumps;
    std::vector<std::string> WaitingGumpTexts() const {
        std::vector<std::string> texts;
        for (const auto& call : waitingGumps) texts.push_back(call.text);
        return texts;
    }
    void CloseWaitingGumps() { waitingOpen_ = false; }
    std::vector<std::string> gumpManagerCalls;
    struct OpenGumpCall {
        const void* object;
        int gumpId;
    };
    std::vector<OpenGumpCall> openedGumps;
    CGump* openGumpResult = nullptr;
    std::map<int, CGump*> windowGumps;

    // GumpService.
    BOOL PutInGump(CGump* gump, CGump* parent, BOOL) override {
        gump->parent = parent;
        return TRUE;
    }
    void BringToFront(CGump* gump, int) override {
        gumpStackCalls.push_back({"BringToFront", gump});
        broughtToFront.push_back(gump);
    }
    void Minimize(CGump* gump) override { gumpStackCalls.push_back({"Minimize", gump}); }
    void Restore(CGump* gump) override { gumpStackCalls.push_back({"Restore", gump}); }
    CGump* MakeDragGump() override {
        ++dragGumpsMade;
        return new CGump();
    }
    CDeathMenuGump* MakeDeathMenuGump() override {
        ++deathMenusMade;
        return new CDeathMenuGump();
    }
    void AddPacket(CSequence*, int kind, const M_BYTE* bytes, int length) override {
        sequenceRecords.push_back({kind, std::vector<unsigned char>(bytes, bytes + length)});
    }

    // GumpManagerService.
    void startup() override { Call("startup"); }
    void shutdown() override { Call("shutdown"); }
    void RecreateMainBitmap() override { Call("RecreateMainBitmap"); }
    void Update() override { Call("Update"); }
    CWaitingGump* OpenWaitingGump(const void* text, CGump* parent, int withButton,
                                  int logoutOnClose, int wideText) override {
        std::string narrow;
        if (text && wideText) {
            for (const M_WORD* p = static_cast<const M_WORD*>(text); *p; ++p)
                narrow.push_back(*p < 0x100 ? static_cast<char>(*p) : '?');
        } else if (text) {
            narrow = static_cast<const char*>(text);
        }
        waitingGumps.push_back({narrow, parent != nullptr, withButton, logoutOnClose, wideText});
        waitingOpen_ = true;
        return reinterpret_cast<CWaitingGump*>(&waitingGump_);
    }
    void DrawAllGumps(const RECT&, int) override { Call("DrawAllGumps"); }
    BOOL IsGumpOpen(const void* gump) override { return gump == &waitingGump_ && waitingOpen_; }
    void CloseDragGump() override { Call("CloseDragGump"); }
    CGump* OpenGump(CObj* object, int id, CGump*, int flag) override {
        Call("OpenGump " + std::to_string(id) + (object ? " object " : " none ") +
             std::to_string(flag));
        openedGumps.push_back({object, id});
        return openGumpResult;
    }
    void OpenMailGump() override { Call("OpenMailGump"); }
    void CloseFlaggedGumps() override { Call("CloseFlaggedGumps"); }
    CGump* FindWindowGump(int window) override {
        auto it = windowGumps.find(window);
        return it == windowGumps.end() ? nullptr : it->second;
    }
    void ScrollMissiles(int dx, int dy) override {
        Call("ScrollMissiles " + std::to_string(dx) + " " + std::to_string(dy));
    }
    void UpdateBarkPositions() override { Call("UpdateBarkPositions"); }

private:
    void Call(const std::string& call) { gumpManagerCalls.push_back(call); }

    // Stands for the one open waiting gump; never dereferenced.
    char waitingGump_ = 0;
    bool waitingOpen_ = false;

    tw::ScopedService<GumpService> gumps_{this};
    tw::ScopedService<GumpManagerService> manager_{this};
};

// The mouse manager.
class RecordingMouse final : public MouseService {
public:
    // Every call in order ("BeginWait", "SetCursorType 17", "SetPos 3 4",
    // "MoveCursor 1"...), guarded for the cursor thread; the position
    // GetMousePos reports and the answers of CursorNeedsRedraw and
    // IsMouseNearPlayer.
    std::vector<std::string> MouseCalls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }
    void ClearMouseCalls() {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.clear();
    }
    int x = 0;
    int y = 0;
    bool needsRedraw = false;
    bool nearPlayer = true;

    void startup() override { Record("startup"); }
    void shutdown() override { Record("shutdown"); }
    void LoadCursorArt() override { Record("LoadCursorArt"); }
    void EnableCursor(BOOL on) override { Record("EnableCursor " + std::to_string(on)); }
    void GetMousePos(int* outX, int* outY) override {
        *outX = x;
        *outY = y;
    }
    BOOL CursorNeedsRedraw() override { return needsRedraw ? TRUE : FALSE; }
    void SetPos(int newX, int newY) override {
        x = newX;
        y = newY;
        Record(Pair("SetPos", newX, newY));
    }
    void MoveCursor(BOOL force) override { Record("MoveCursor " + std::to_string(force)); }
    void DrawCursor() override { Record("DrawCursor"); }
    void EraseCursor() override { Record("EraseCursor"); }
    void OnLButtonDown(short px, short py) override { Record(Pair("OnLButtonDown", px, py)); }
    void OnLButtonUp(short px, short py) override { Record(Pair("OnLButtonUp", px, py)); }
    void OnRButtonDown(short px, short py) override { Record(Pair("OnRButtonDown", px, py)); }
    void OnRButtonUp(short px, short py) override { Record(Pair("OnRButtonUp", px, py)); }
    void Update() override { Record("Update"); }
    void SetCursorType(int kind) override { Record("SetCursorType " + std::to_string(kind)); }
    void BeginWait() override { Record("BeginWait"); }
    void EndWait() override { Record("EndWait"); }
    BOOL IsMouseNearPlayer() override { return nearPlayer ? TRUE : FALSE; }

private:
    void Record(const std::string& call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(call);
    }
    static std::string Pair(const char* name, int px, int py) {
        return std::string(name) + " " + std::to_string(px) + " " + std::to_string(py);
    }

    std::mutex mutex_;
    std::vector<std::string> calls_;
    tw::ScopedService<MouseService> installed_{this};
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

// All four, for a test that runs code reaching the whole framework.
struct RecordingGumpFramework {
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

    CGump* captureField = nullptr;
    std::vector<std::string> calls;
};

// Links a gump at the head of the top-level list (or of a parent's
// children) and takes it out again, as the framework's destructor will.
inline void LinkGump(CGump* gump, CGump* parent) {
    CGump*& head = parent ? parent->firstChild : g_gumpList;
    gump->parent = parent;
    gump->next = head;
    head = gump;
}
inline void UnlinkGump(CGump* gump) {
    CGump*& head = gump->parent ? gump->parent->firstChild : g_gumpList;
    for (CGump** link = &head; *link; link = &(*link)->next)
        if (*link == gump) {
            *link = gump->next;
            break;
        }
    if (g_focusGump == gump) g_focusGump = nullptr;
}

// Counts the deletions of every listed gump; every test starts at 0.
inline int& DeletedGumps() {
    static int count = 0;
    return count;
}
inline const bool kDeletedGumpsReset = [] {
    tw::test::AddServiceReset([] { DeletedGumps() = 0; });
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
    ~Listed() override {
        UnlinkGump(this);
        ++DeletedGumps();
    }
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
    BOOL IsBulletinBoard() override { return TRUE; }
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
