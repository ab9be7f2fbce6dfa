// CInputWindow: the speech input line.  Its callers see this facade; the
// line itself (comm/SpeechLine.h) lives with the communication module, which
// sends what is typed, and installs the InputWindowService that main makes
// the one line through and the operations below reach.
#pragma once

#include <cstddef>

#include "Service.h"
#include "TWTypes.h"

class CInputWindow;

class InputWindowService {
public:
    static constexpr const char* kServiceName = "CInputWindow";
    virtual ~InputWindowService() = default;
    virtual CInputWindow* MakeInputWindow() = 0;
    virtual int HandleSpecialKey(int code, M_DWORD extendedKeySym) = 0;
    virtual void HandleKey(CInputWindow* line, int code) = 0;
    virtual void RedrawText(CInputWindow* line, int hue, int font) = 0;
    virtual BOOL IsPromptPending() = 0;
    virtual void SendPromptReply(CInputWindow* line, int replyType, const char* text) = 0;
    virtual void SetMode(CInputWindow* line, int mode) = 0;
    virtual void UpdatePrompt(CInputWindow* line) = 0;
};

class CInputWindow {
public:
    CInputWindow() = default;
    virtual ~CInputWindow() = default;
    CInputWindow(const CInputWindow&) = delete;
    CInputWindow& operator=(const CInputWindow&) = delete;

    // The speech input line that main makes (and deletes).
    static CInputWindow* Make() { return Service().MakeInputWindow(); }

    // Walk-key mode and line recall; 0 for keys it does not take.
    static int HandleSpecialKey(int code, M_DWORD extendedKeySym) {
        return Service().HandleSpecialKey(code, extendedKeySym);
    }

    // Editing keys, history and Enter of the speech line.
    void HandleKey(int code) { Service().HandleKey(this, code); }
    // Redraws the line's text in that hue and font.
    void RedrawText(int hue, int font) { Service().RedrawText(this, hue, font); }

    // A server text prompt waits for its answer (the next line typed).
    static BOOL IsPromptPending() { return Service().IsPromptPending(); }
    // Answers the pending server text prompt with the text and clears it.
    static void SendPromptReply(CInputWindow* line, int replyType, const char* text) {
        Service().SendPromptReply(line, replyType, text);
    }

    // The speech-mode word: 0 plain speech, 8 whisper, 9 yell; other values
    // emote, command, broadcast.
    void SetMode(int mode) { Service().SetMode(this, mode); }
    // Rebuilds the line's prompt prefix and cursor.
    static void UpdatePrompt(CInputWindow* line) { Service().UpdatePrompt(line); }

private:
    static InputWindowService& Service() { return tw::Service<InputWindowService>::Get(); }
};

// The speech input line that main creates and deletes.
extern CInputWindow* g_inputWindow;

// Skips leading blanks of source, copies the next word (up to a blank or the
// end) into destination with A-Z lowered, cut to size - 1 characters and
// terminated, and returns where the text goes on after the word and one
// following blank (or its end).  size 0 copies nothing.
const char* GetLowercaseWord(const char* source, char* destination, size_t size);
