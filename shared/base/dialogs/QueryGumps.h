// The windows the server opens to ask the player something: the text query
// (answered with message 0xAC), the hue picker (answered with message 0x95)
// and the name request a text query keeps while the server looks up a
// mobile's name.  Only what their callers use so far is declared here
// (DialogsService).
#pragma once

#include "dialogs/Dialogs.h"

// Opens a text query with the server's prompt and description and puts it
// on screen.
inline void OpenStringQuery(M_DWORD serial, M_WORD queryId, const char* prompt, int flag, int style,
                            M_DWORD limit, const char* description) {
    dialogs::Service().OpenStringQuery(serial, queryId, prompt, flag, style, limit, description);
}
// Opens the server's hue picker for the object and puts it on screen.
inline void OpenHuePicker(M_DWORD serial, M_WORD echo, M_WORD itemArt) {
    dialogs::Service().OpenHuePicker(serial, echo, itemArt);
}
// Gives a mobile's name to the text query that asked for it, which redraws
// and forgets the request; FALSE when no request is pending.
inline BOOL AnswerNameRequest(const char* name) {
    return dialogs::Service().AnswerNameRequest(name);
}
