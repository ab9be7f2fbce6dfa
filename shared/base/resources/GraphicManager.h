// GraphicManager: the client's global drawing state.  The palette, the grey
// table of the ghost view, the body speeds of "animinfo.mul", the size of the
// play area, the conversions between 8-bit components and screen pixels, art
// sizes and updates, and the death fade.  Everything lives for the process.
//
// A few of its operations are the work of modules above the resources and
// are built there: the per-frame screen update is the view's, reached
// through ScreenUpdate.h because the network calls it too; the main gumps
// and world-to-screen positions are the view's (view/GraphicScreen.cpp,
// view/ScreenPosition.cpp), the owner gump walk the world model's
// (world/OwnerGump.cpp).  Art updates tell the draw lists through
// PatchOwners.h.
#pragma once

#include "TWTypes.h"
#include "resources/SkipDraw.h"

class CGump;
class CMapGump;
class CMainMenuGump;
class CDeathMenuGump;
class CObj;

class GraphicManager {
public:
    static constexpr int NUM_ANIM_INFO = 1000;
    static constexpr int GREY_TABLE_SIZE = 32768;
    // The death fade darkens the frame once per frame while the counter runs
    // from 1 to this value; then the death menu follows.
    static constexpr int DEATH_FADE_STEPS = 31;

    static M_BYTE palette[768];
    static M_WORD greyTable[GREY_TABLE_SIZE];
    static M_BYTE animInfo[NUM_ANIM_INFO][2];

    static CMapGump* pMapGump;
    static CMainMenuGump* pMainMenuGump;
    static CDeathMenuGump* pDeathMenuGump;
    // Set to 1 by the death message; counts the frames of the death fade.
    static int deathCounter;

    static void startup();
    static void shutdown();
    static void LoadAnimInfo();
    // The two speed bytes of a body; {4, 2} for a body outside the table.
    static const M_BYTE* GetAnimInfo(int body);

    static void setGameplayWindowPixelWidthAndHeight(int width, int height);
    static int getGameplayWindowPixelWidth();
    static int getGameplayWindowPixelHeight();
    static int getGameplayWindowCenterX();
    static int getGameplayWindowCenterY();

    static M_WORD MakeColor(M_BYTE r, M_BYTE g, M_BYTE b);
    // r8 | g8 << 8 | b8 << 16.
    static M_DWORD PixelToRGB(M_WORD pixel);
    static M_WORD RGBToPixel(M_DWORD value);
    static M_WORD Pixel555To565(M_WORD pixel);
    // Built by the view (view/ScreenPosition.cpp).
    static void WorldToScreen(int x, int y, int* sx, int* sy);

    // The art image of id & 0x7FFF, or image 0 when that one is missing.
    static SkipImage GetArt(int id);
    // Static art id (art item id + 16384).
    static SkipImage GetStaticArt(int id);
    static void GetArtSize(int id, int* width, int* height);

    // Built by the view (view/GraphicScreen.cpp).
    static void CreateMainGumps();
    // Replaces an art item from the server: data holds receivedLength bytes
    // (null with length flag -1, which removes the item).
    static void UpdateArt(const char* data, int id, int lengthFlag, int extra, int receivedLength);
    // The open gump that shows where the object is held; built by the world
    // model (world/OwnerGump.cpp).
    static CGump* FindOwnerGump(CObj* object);
    // The installed ScreenUpdate's update (ScreenUpdate.h).
    static void UpdateScreen();
    static void Update();

    // One step of the death fade over the play area of a ring frame buffer of
    // frameWidth x frameHeight pixels whose play area starts at startOffset.
    static void DarkenFrame(M_WORD* pixels, int frameWidth, int frameHeight, int startOffset,
                            int width, int height, bool is565);
    // What a frame of the death fade leads to.
    enum DeathFadeStep { FADE_GOES_ON, FADE_SHOWS_TEXT, FADE_ENDS };
    // Darkens the play area of the frame by one step and counts the frame;
    // says when "You are dead." appears and when the fade is over (the
    // counter is then 0 again).
    static DeathFadeStep AdvanceDeathFade(M_WORD* pixels, int frameWidth, int frameHeight,
                                          int startOffset, bool is565);

    static void reset();
};

// The view offset: the world-pixel position of the play window's top-left
// pixel.  World pixels less the view offset are play-window pixels.  The
// player sets it as it walks (CMobile::CalcDrawZ); the world view draws by it.
extern int g_viewOffsetX;
extern int g_viewOffsetY;

// A raw land tile (the diamond's 1012 pixels, rows of 2, 4, ... 44, 44, ...
// 2) expanded into a 44 x 44 image (3872 bytes) cleared around the diamond.
// FALSE, with the destination cleared, when the source is shorter than
// 2024 bytes.
BOOL ExpandLandTile(const M_BYTE* source, int sourceLength, M_WORD* destination);
