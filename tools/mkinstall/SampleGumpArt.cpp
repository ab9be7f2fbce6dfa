// Gump art: simple framed pictures for the windows, buttons and frames the
// client's screens name.  The sizes are plausible, not those of any real
// artwork.
#include "Sample.h"
#include "support/datafiles/CreationArt.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

M_WORD shade(int id) {
    int v = 8 + id % 12;
    return static_cast<M_WORD>(v << 10 | (v + 2) << 5 | (v + 4));
}

struct Range {
    int first;
    int last;
    int width;
    int height;
};

// Nine-piece frames (corners, edges, middle) and the single pictures.  The
// appearance gump is hit where its art 1260 is, so that art spans the
// screen; the creation arrows 5537-5542 stand side by side.
constexpr Range kFrames[] = {
    {2600, 2608, 16, 16}, {3500, 3508, 16, 16}, {5054, 5062, 16, 16}, {3600, 3608, 16, 16}, {5100, 5110, 16, 16},
    {3000, 3008, 16, 16}, {5170, 5178, 16, 16}, {2700, 2715, 16, 16}, {9200, 9208, 16, 16},
};
constexpr Range kPictures[] = {
    {10, 11, 260, 240},   {30, 31, 60, 60},       {40, 40, 60, 60},       {55, 57, 40, 40},
    {80, 80, 40, 40},     {92, 97, 30, 30},       {120, 120, 40, 40},     {202, 216, 20, 20},
    {250, 257, 20, 20},   {300, 300, 40, 40},     {400, 401, 40, 40},     {510, 510, 40, 40},
    {987, 987, 40, 40},   {1140, 1155, 40, 30},   {1209, 1210, 10, 10},   {1260, 1260, 640, 480},
    {1280, 1280, 40, 30}, {1417, 1419, 30, 30},   {1800, 1808, 30, 30},   {1847, 1849, 30, 30},
    {1889, 1890, 30, 30}, {2000, 2002, 120, 80},  {2021, 2026, 30, 20},   {2030, 2030, 30, 20},
    {2050, 2055, 30, 20}, {2070, 2076, 30, 20},   {2086, 2089, 30, 20},   {2100, 2131, 30, 20},
    {2140, 2142, 30, 20}, {2150, 2153, 30, 20},   {2160, 2161, 250, 200}, {2170, 2182, 30, 20},
    {2220, 2240, 30, 20}, {2310, 2311, 220, 140}, {2320, 2329, 30, 20},   {2331, 2349, 30, 20},
    {2351, 2371, 30, 20}, {2400, 2405, 30, 20},   {2431, 2462, 16, 16},   {2472, 2479, 16, 16},
    {2508, 2516, 30, 20}, {2642, 2643, 30, 20},   {4000, 4001, 30, 20},   {4200, 4201, 30, 20},
    {4500, 4506, 30, 20}, {5000, 5021, 40, 30},   {5031, 5031, 40, 30},   {5042, 5042, 40, 30},
    {5050, 5052, 40, 30}, {5200, 5210, 40, 30},   {5401, 5411, 40, 30},   {5504, 5504, 200, 60},
    {5507, 5527, 100, 24}, {5528, 5528, 380, 380}, {5529, 5536, 60, 24}, {5537, 5542, 24, 24}, {5543, 5545, 60, 24}, {5608, 5610, 40, 30},   {6000, 6001, 40, 30},   {6040, 6040, 40, 30},
    {8270, 8270, 40, 30}, {8487, 8487, 40, 30},   {14001, 14001, 40, 30}, {14027, 14027, 40, 30},
};

// The list boxes' art columns (2480 and 2485): a top piece, three middle
// pieces repeated below it and a bottom piece, without borders so that
// the middle pieces join.
constexpr Range kColumns[] = {
    {2480, 2480, 140, 10}, {2481, 2483, 130, 14}, {2484, 2484, 140, 10},
    {2485, 2485, 140, 10}, {2486, 2488, 130, 14}, {2489, 2489, 140, 10},
};

// Container windows: each a little larger than the area its items lie in.
struct ContainerArt {
    int id;
    int width;
    int height;
};
constexpr ContainerArt kContainers[] = {
    {9, 140, 210},  {60, 200, 175},   {61, 150, 140},   {62, 160, 160}, {63, 200, 140},
    {64, 170, 140}, {65, 160, 130},   {66, 180, 190},   {67, 200, 140}, {68, 185, 115},
    {71, 165, 150}, {72, 170, 110},   {73, 180, 190},   {74, 180, 190}, {75, 200, 140},
    {76, 210, 200}, {77, 155, 85},    {78, 210, 165},   {79, 210, 165}, {81, 170, 110},
    {82, 120, 75},  {2330, 290, 240}, {2350, 290, 220},
};

// The journal's parchment: a strip whose top, middle and bottom pieces
// join without seams, the buttons on it and its minimised icon.
void WriteJournalArt(IndexedPair& gumps) {
    const M_WORD parchment = Rgb555(222, 206, 164), edge = Rgb555(120, 90, 50);
    auto strip = [&](int height, bool top, bool bottom) {
        Image piece(270, height, parchment);
        piece.fillRect(0, 0, 3, height, edge);
        piece.fillRect(267, 0, 3, height, edge);
        if (top) piece.fillRect(0, 0, 270, 3, edge);
        if (bottom) piece.fillRect(0, height - 3, 270, 3, edge);
        return piece;
    };
    AddGumpArt(gumps, 2080, strip(40, true, false));
    AddGumpArt(gumps, 2081, strip(30, false, false));
    AddGumpArt(gumps, 2082, strip(30, false, false));
    AddGumpArt(gumps, 2083, strip(40, false, true));
    // The scroll arrows, the title, its underline and the follow toggle.
    AddGumpArt(gumps, 2084, Framed(12, 12, Rgb555(180, 160, 120), edge));
    AddGumpArt(gumps, 2085, Framed(12, 12, Rgb555(180, 160, 120), edge));
    AddGumpArt(gumps, 2090, Framed(60, 14, Rgb555(200, 180, 130), edge));
    AddGumpArt(gumps, 2091, Image(200, 2, edge));
    AddGumpArt(gumps, 2092, Framed(12, 12, Rgb555(160, 60, 40), edge));
    // Minimise, resize (and its lit form), the minimised icon.
    AddGumpArt(gumps, 2093, Framed(20, 12, Rgb555(180, 160, 120), edge));
    AddGumpArt(gumps, 2094, Framed(20, 10, Rgb555(180, 160, 120), edge));
    AddGumpArt(gumps, 2095, Framed(20, 10, Rgb555(230, 210, 150), edge));
    AddGumpArt(gumps, 2096, Framed(30, 30, parchment, edge));
}

}  // namespace

void WriteGumpArt(Output& out) {
    IndexedPair gumps;
    // The front end's background fills the whole 640 x 480 screen.
    Image background(640, 480);
    for (int y = 0; y < 480; ++y)
        background.fillRect(
            0, y, 640, 1,
            static_cast<M_WORD>((2 + y / 40) << 10 | (3 + y / 32) << 5 | (6 + y / 24)));
    AddGumpArt(gumps, 5500, background);
    // The tile under the main menu and the title picture over it.
    AddGumpArt(gumps, 3604, Image(64, 64, Rgb555(20, 30, 60)));
    AddGumpArt(gumps, 5536, Framed(400, 60, Rgb555(90, 60, 30), Rgb555(230, 210, 150)));
    for (const Range& r : kFrames)
        for (int id = r.first; id <= r.last; ++id)
            AddGumpArt(gumps, id, Image(r.width, r.height, shade(id)));
    for (const Range& r : kColumns)
        for (int id = r.first; id <= r.last; ++id)
            AddGumpArt(gumps, id, Image(r.width, r.height, shade(id)));
    // The tool-tip frame must have its exact sizes, or no tool-tip shows.
    for (const ToolTipFramePiece& piece : ToolTipFrameArt())
        AddGumpArt(gumps, piece.id, piece.image);
    for (const ContainerArt& c : kContainers)
        AddGumpArt(gumps, c.id, Framed(c.width, c.height, shade(c.id), Rgb555(120, 90, 50)));
    WriteJournalArt(gumps);
    for (const Range& r : kPictures)
        for (int id = r.first; id <= r.last; ++id)
            AddGumpArt(gumps, id, Framed(r.width, r.height, shade(id), Rgb555(230, 210, 150)));
    // Character creation: the figure pieces of the appearance preview and
    // the profession pictures of "prof.txt" (each with its pressed picture).
    for (const auto& [id, image] : CreationFigureArt()) AddGumpArt(gumps, id, image);
    for (int id = 5800; id <= 5807; ++id)
        AddGumpArt(gumps, id, Framed(60, 60, shade(id * 3), Rgb555(230, 210, 150)));
    // The flicker effect's frames 20000 to 20009 (the weather's snow uses
    // the pictures 6000 and 6001 above).
    for (int id = 20000; id <= 20009; ++id) {
        Image spark(9, 9);
        spark.fillRect(4, 4 - id % 5, 1, 1 + 2 * (id % 5), Rgb555(255, 240, 120));
        spark.fillRect(4 - id % 4, 4, 1 + 2 * (id % 4), 1, Rgb555(255, 240, 120));
        AddGumpArt(gumps, id, spark);
    }
    out.pair("gumpidx.mul", "gumpart.mul", gumps);
}

}  // namespace mkinstall
