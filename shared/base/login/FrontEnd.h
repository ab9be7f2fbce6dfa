// The login front end: every screen between start-up and the world.
//
// The main menu with the account login box, the shard list, the character
// selection, the play and delete dialogs and the yes/no question are
// ordinary gumps in the top-level list; their buttons call the CGump
// members of the button-callback library (gumps/Gump.h, defined in
// ButtonCallbacks.cpp).  Each screen is found through one process-wide
// pointer below, which the screen's destructor clears, so none outlives
// its gump.  The login road (LoginRoad.h) reaches the screens through
// LoginScreens, which InstallLoginScreens installs with the shard list's
// ShardChoice and the LoginService.
//
// What the screens need of the application above them (the connect, the
// login requests, the credits roll, the world's reset) goes through
// FrontEndApp, which the application installs.  Main thread only.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "gumps/Gump.h"

class CButtonGump;
class CInputLineGump;
class CInputControlGump;
class CScrollChoiceGump;
class CToggleControlGump;
class CWaitingGump;

class FrontEndApp {
public:
    static constexpr const char* kServiceName = "FrontEndApp";
    virtual ~FrontEndApp() = default;

    // Connects to a login server (blocking); 1 when connected.
    virtual int ConnectToServer() = 0;
    // The account login, play and their waiting boxes (CApp's requests).
    virtual void SendAcctLogin(char* account, char* password, M_BYTE loginKey) = 0;
    virtual void SendPlayChar(char* name, char* password, int slot) = 0;
    // Runs the credits roll as a modal loop.
    virtual void ShowCredits() = 0;
    virtual void SetInWorld(BOOL on) = 0;
    // Forgets the world (logout): objects, view and walk state.
    virtual void ResetWorldState() = 0;
    // Leaving the world: the places of the character's windows are saved,
    // and the stored HTML and mail messages are dropped.
    virtual void SaveDesktop() = 0;
    virtual void ClearMessageStore() = 0;
    virtual void ClearBackBuffer() = 0;
    // The character's speech and emote hues from the per-slot tables.
    virtual void UseSlotHues(int slot) = 0;
    // The shard, and the character's name and password, of the record
    // that the create and play requests read; the texts stay owned by the
    // caller and must outlive the request.
    virtual void SetChosenShard(int id) = 0;
    virtual void SetPlayedCharacter(const char* name, const char* password) = 0;
    // The client version text.
    virtual const char* VersionText() = 0;
};

// Installs the screens' own services (LoginScreens, LoginService,
// ShardChoice, LoginCompletionHold).
void InstallLoginScreens();

// Leaves the world for a new main menu (the quit question's yes, a lost
// connection's message box).
void LogoutFromWorld();
// Closes every front-end gump (the world is entered); a login completion
// that the front end held runs then.
void CloseLoginGumps();
// While the main menu is open and a message box is up, gives the box's
// button the login completion (CGump::DeferredCompleteLogin) and returns
// TRUE; FALSE otherwise.
BOOL HoldLoginCompletion(void (*complete)());

// A message for the player with its OK button, over owner (hidden by the
// caller): the large box when asked for or when the text does not fit the
// small one.  A message waits for the player, so it shows no busy cursor.
CWaitingGump* OpenMessageBox(const char* text, CGump* owner, BOOL large, BOOL logout);
// The same box in place of any other box of the front end, kept as its
// waiting gump.
void ShowMessageBox(const char* text, CGump* owner, BOOL large = FALSE);

// A lost connection while the login screens are up (the main menu is open):
// the connection is closed, the shard list, the character selection and
// character creation close, and the login box comes back under a message
// box saying text, unless a message of the server's own is already shown,
// which stays and shows the login box when answered.  TRUE when it did so;
// FALSE (nothing done) once the world is entered.
BOOL ReturnToLoginScreens(const char* text);

// The column of front-end buttons (exit, web pages, credits, and the
// logout button on a gump whose IsFrontEndGump answers TRUE).
void AddFrontEndButtons(CGump* gump);

// The front end's process-wide values.
namespace frontend {
// The chosen shard's and the played character's names.
extern char currentShardName[64];
extern char currentCharName[31];
// The open quit question, or null.
extern CGump* quitQuestion;
// The login completion that the front end holds, or null; a new main menu
// drops it.
extern void (*heldLoginCompletion)();
// The box that waits for a request's answer ("Verifying Account... " and
// the like), as opposed to a message for the player; may be stale, so only
// compared with the open box.
extern CGump* requestWait;
// Web pages of the front-end column.
constexpr const char* kMainWebSite = "https://www.tarrowmere.example/";
constexpr const char* kSignUpPage = "https://www.tarrowmere.example/signup";
constexpr const char* kSupportPage = "https://support.tarrowmere.example/";
constexpr const char* kAccountPage = "https://www.tarrowmere.example/account";
constexpr const char* kCouldNotConnect =
    "Couldn't connect to Tarrowmere.  Please try again in a few moments.";
}  // namespace frontend

class CMainMenuGump : public CGump {
public:
    CMainMenuGump();
    ~CMainMenuGump() override;
    // The main menu as the screen update opens it at start-up.
    static CMainMenuGump* Make();

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    // Enter on the main menu itself: the account login's accept.
    void OnAccept() override;
    void UpdateState() override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    CGump* extraGump = nullptr;
    BOOL noHit = FALSE;
};

class CAcctLoginGump : public CGump {
public:
    // At most this many characters are typed into the account field; the
    // password field takes 30.
    static constexpr int FIELD_MAX = 16;

    CAcctLoginGump();
    ~CAcctLoginGump() override;

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void OnActivate() override;
    void OnAccept() override { Connect(); }
    void OnCancel() override { BackToMainMenu(); }
    void HandleChildEvent(CGump* child) override;
    void UpdateState() override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }
    BOOL IsAcctLoginGump() override { return TRUE; }
    BOOL IsFrontEndGump() override { return TRUE; }

    CInputLineGump* accountField = nullptr;
    CInputLineGump* passwordField = nullptr;
    CToggleControlGump* savePassword = nullptr;
    CButtonGump* connectArrow = nullptr;
};

class CShardChoiceGump : public CGump {
public:
    CShardChoiceGump();
    ~CShardChoiceGump() override;

    CScrollChoiceGump* GetList() { return list; }
    // The list is closing by itself (its destructor is running); the gump
    // must not close it again.
    void ForgetList() { list = nullptr; }
    // The shard table (login::g_road) by index and by id.
    static int GetShardId(int index);
    static const char* GetShardName(int id);
    static int FindShard(int id);

    // Sends the choice of that shard (0xA0), remembers it and closes the gump.
    void SelectShard(int id);
    void PlaySelected() { SelectShard(currentId); }
    // Only when the default shard has a name.
    void PlayDefault();

    BOOL HitTest(int x, int y) override;
    void HandleLButtonDown(int, int) override {}
    void HandleLButtonUp(int x, int y) override;
    int HandleKey(int code) override;
    void OnAccept() override { SelectShard(defaultId); }
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    int currentId = 0;
    RECT area{0, 0, 640, 480};
    char selectedName[64] = {};
    int defaultId = 0;
    CButtonGump* arrow = nullptr;
    CButtonGump* back = nullptr;
    CButtonGump* defaultButton = nullptr;
    CScrollChoiceGump* list = nullptr;
    BOOL chosen = FALSE;
};

class CLoginGump : public CGump {
public:
    static constexpr int SLOTS = 5;

    CLoginGump();
    ~CLoginGump() override;

    // Fills the next free slot; an empty name does nothing, and a sixth
    // character is refused.
    void AddCharacter(const char* characterName, const char* password, int id);
    // Removes the slot holding that id; the later slots move up.
    void RemoveCharacter(int id);
    void SelectSlot(CGump* child);
    void ActivateSlot(CGump* child);
    // The selected slot's name ("" when empty) and id.
    const char* SelectedName() const;
    int SelectedId() const;

    void DrawContents(const RECT& dirty) override;
    BOOL HitTest(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    void HandleMouseMove(int x, int y) override;
    // Shown with the keyboard: the slots are read-only and take no key, so
    // Enter and Esc reach the selection itself.
    void Show();
    int HandleKey(int code) override;
    void OnAccept() override { AskPlayChar(); }
    void OnCancel() override { LogoutFromCharSelect(); }
    // A click on a slot raises the selection, which ends its keyboard
    // focus; it takes the keyboard back so that Enter plays the slot.
    void HandleChildEvent(CGump* child) override;
    void SelectEntry(CGump* field) override { ActivateSlot(field); }
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

    int count = 0;
    int selected = 0;
    int slotIds[SLOTS] = {-1, -1, -1, -1, -1};
    CInputLineGump* slots[SLOTS] = {};
    CButtonGump* playArrow = nullptr;
    CButtonGump* backArrow = nullptr;
};

// The draggable dialogs over the hidden selection.
class CFrontEndDialog : public CGump {
public:
    void HandleLButtonDown(int x, int y) override;
    void HandleLButtonUp(int x, int y) override;
    void HandleMouseDrag(int x, int y) override;
    void HandleRButtonUp(int x, int y) override;
    // Enter and Esc, when the dialog has the keyboard.
    int HandleKey(int code) override;
    BOOL IsInGameArea() override { return TRUE; }
    BOOL IsDisposable() override { return FALSE; }

protected:
    CFrontEndDialog(int x, int y, int width, int height);
    BOOL dragging_ = FALSE;
};

class CPlayCharGump : public CFrontEndDialog {
public:
    CPlayCharGump(const char* characterName, const char* unused);
    ~CPlayCharGump() override;
    void OnAccept() override { PlayChar(); }
    void OnCancel() override { HandleRButtonUp(0, 0); }

    CInputControlGump* passwordField = nullptr;
};

class CDeleteCharGump : public CFrontEndDialog {
public:
    CDeleteCharGump(const char* characterName, const char* unused);
    ~CDeleteCharGump() override;
    // Every click on the screen belongs to it while it is open.
    BOOL HitTest(int, int) override { return TRUE; }
    void OnAccept() override { DelChar(); }
    void OnCancel() override { HandleRButtonUp(0, 0); }
};

using GumpCallbackFn = void (CGump::*)();

class CYesNoGump : public CFrontEndDialog {
public:
    CYesNoGump(const char* text, GumpCallbackFn first, GumpCallbackFn second, CGump* owner);
    ~CYesNoGump() override;
    // A right click does not answer the question.
    void HandleRButtonUp(int x, int y) override;

    CGump* questionOwner = nullptr;
};

// The screens, each cleared by its own destructor.
extern CAcctLoginGump* pAcctLoginGump;
extern CShardChoiceGump* pShardGump;
extern CLoginGump* pLGump;
