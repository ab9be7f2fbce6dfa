// The communication dialogs: texts over objects, bulletin boards, chat,
// HTML and mail windows with their message store, the word filter.  They
// sit above the game dialogs and below the application.  Texts over objects
// are the world model's ObjectText chain (world/ObjectText.h), which the
// bark gumps implement; the board's news reaches it through the gump
// framework's virtual operations.  The barks are built (BarkGump.h); the rest
// is not: what callers use so far is declared as the installed CommService,
// with functions of the names callers use in each dialog's header; main
// installs the stand-in of shared/base/pending/ at start-up, which makes the
// real barks.
#pragma once

#include "Service.h"
#include "TWTypes.h"

class CDynamicObj;
class CGump;
class CObj;
struct PDSTRUCT;

class CommService {
public:
    static constexpr const char* kServiceName = "CommunicationDialogs";
    virtual ~CommService() = default;
    // A text over an object, or a free text when the object is null
    // (CBarkGump, comm/BarkGump.h).
    virtual CGump* MakeBarkGump(CObj* object, const char* text, int hue, int font) = 0;
    // The message store (comm/HtmlMessages.h).
    virtual void DeleteHtmlMessages() = 0;
    // The chat windows (comm/Chat.h).
    virtual void SendChatOpen(PDSTRUCT* buffer, const M_WORD* name) = 0;
    // The mail windows (comm/MailGumps.h).
    virtual void OpenHelpMailGump(int flagA, const M_WORD* recipient, const M_WORD* recipientName,
                                  int useAccount, int flagB, const M_WORD* subject, int flagC,
                                  const M_WORD* body, const M_WORD* windowArgument,
                                  const M_WORD* senderId) = 0;
    // The word filter (comm/WordFilter.h).
    virtual void FilterProfanity(char* text) = 0;
    virtual void FilterProfanityUnicode(M_WORD* text) = 0;
    // A Unicode text over an object, or as system text when the object is
    // null (comm/UnicodeBarkGump.h).
    virtual void ShowUnicodeBark(CDynamicObj* object, const M_WORD* text, int hue, int font,
                                 const char* language, CGump* gump) = 0;
};

namespace comm {
inline CommService& Service() {
    return tw::Service<CommService>::Get();
}
}  // namespace comm
