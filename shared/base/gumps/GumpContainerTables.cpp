// The gump art of a container item's window, and where the items lie in it.
#include "gumps/GumpManager.h"

namespace {

struct GraphicRange {
    int first;
    int last;
    int gumpArt;
};

// Container graphics (single graphics and ranges) and their window art.
constexpr GraphicRange kContainerArt[] = {
    {2480, 2480, 60},   {2482, 2482, 60},   {3701, 3701, 60},   {3705, 3705, 60},
    {3702, 3702, 61},   {3703, 3704, 62},   {3707, 3707, 62},   {3711, 3711, 62},
    {3715, 3715, 62},   {4011, 4011, 62},   {4014, 4014, 62},   {4104, 4104, 62},
    {5453, 5453, 62},   {6464, 6464, 62},   {6870, 6871, 62},   {3706, 3706, 63},
    {2448, 2448, 65},   {2476, 2476, 65},   {2481, 2481, 65},   {3648, 3649, 66},
    {2474, 2474, 67},   {3709, 3709, 67},   {2473, 2473, 68},   {3644, 3647, 68},
    {3710, 3710, 68},   {11000, 11000, 71}, {2608, 2611, 72},   {2616, 2619, 72},
    {3650, 3651, 73},   {2475, 2475, 74},   {3708, 3708, 74},   {2472, 2472, 75},
    {3712, 3712, 75},   {15973, 15973, 76}, {16019, 16019, 76}, {16046, 16046, 76},
    {16057, 16057, 76}, {2711, 2718, 77},   {2636, 2637, 78},   {2640, 2641, 78},
    {2638, 2639, 79},   {2642, 2643, 79},   {2604, 2607, 81},   {2612, 2615, 81},
    {2620, 2635, 81},   {7774, 7774, 82},   {4006, 4006, 2330}, {3612, 3612, 2350},
    {4013, 4013, 2350},
};
constexpr int kDefaultContainerArt = 9;

struct Bounds {
    int gumpArt;
    RECT rect;
};

constexpr Bounds kContainerBounds[] = {
    {7, {30, 30, 270, 170}},  {9, {20, 85, 124, 196}},   {60, {44, 65, 186, 159}},
    {61, {29, 34, 137, 128}}, {62, {33, 36, 142, 148}},  {63, {19, 47, 182, 123}},
    {64, {16, 38, 152, 125}}, {65, {35, 38, 145, 116}},  {66, {18, 105, 162, 178}},
    {67, {16, 51, 184, 124}}, {68, {20, 10, 170, 100}},  {71, {16, 10, 148, 138}},
    {72, {16, 10, 154, 94}},  {73, {18, 105, 162, 178}}, {74, {18, 105, 162, 178}},
    {75, {16, 51, 184, 124}}, {76, {46, 74, 196, 184}},  {77, {76, 12, 140, 68}},
    {78, {24, 96, 196, 152}}, {79, {24, 96, 196, 152}},  {81, {16, 10, 154, 94}},
    {82, {0, 0, 110, 62}},    {2330, {0, 0, 282, 230}},  {2350, {0, 0, 282, 210}},
};
constexpr RECT kDefaultBounds = {0, 0, 200, 200};

}  // namespace

int CGumpManager::GetContainerGumpId(int graphic) {
    for (const GraphicRange& r : kContainerArt)
        if (graphic >= r.first && graphic <= r.last) return r.gumpArt;
    return kDefaultContainerArt;
}

void CGumpManager::GetContainerBounds(int gumpArtId, RECT* rect) {
    if (!rect) return;
    *rect = kDefaultBounds;
    for (const Bounds& b : kContainerBounds)
        if (b.gumpArt == gumpArtId) *rect = b.rect;
}
