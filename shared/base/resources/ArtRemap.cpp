#include "resources/ArtRemap.h"

#include <cstddef>
#include <vector>

int g_artVariant = 1;

namespace {

constexpr int kLandIds = 16384;
constexpr int kLandTables = 8;

struct Pair {
    int from;
    int to;
};

constexpr Pair kVariant0[] = {
    {3239, 3204}, {3244, 3142}, {3245, 3144}, {3246, 3146}, {3253, 3146}, {3247, 3150},
    {3248, 3149}, {3254, 3371}, {3341, 3371}, {3348, 3371}, {3340, 3369}, {3342, 3262},
    {3343, 3263}, {3344, 3264}, {3345, 3207}, {3346, 3128}, {3347, 3375},
};

constexpr Pair kVariant2[] = {
    {3204, 6946}, {3211, 3270}, {3212, 3270}, {3213, 3270}, {3214, 3270}, {3230, 3391},
    {3239, 3144}, {3244, 6943}, {3245, 6944}, {3246, 6945}, {3247, 3341}, {3248, 6946},
    {3253, 3344}, {3254, 3371}, {3271, 3150}, {3278, 3279}, {3281, 3282}, {3284, 3285},
    {3291, 3292}, {3294, 3295}, {3297, 3298}, {3300, 3301}, {3303, 3304}, {3305, 3391},
    {3306, 3392}, {3477, 3479}, {3481, 3483},
};

// Built on first use: 8 tables of 16384 entries, each the identity.
std::vector<int>& landTables() {
    static std::vector<int> tables;
    if (tables.empty()) {
        tables.resize(std::size_t(kLandTables) * kLandIds);
        ResetRemapTables();
    }
    return tables;
}

template <std::size_t N>
int lookup(const Pair (&map)[N], int id) {
    for (const Pair& p : map)
        if (p.from == id) return p.to;
    return id;
}

}  // namespace

void ResetRemapTables() {
    std::vector<int>& tables = landTables();
    for (std::size_t i = 0; i < tables.size(); ++i) tables[i] = static_cast<int>(i % kLandIds);
}

int RemapArtIdByVariant(M_DWORD id) {
    if (id >= kLandIds) return static_cast<int>(id);
    if (g_artVariant < 0 || g_artVariant > 3 || g_artVariant == 1) return static_cast<int>(id);
    return landTables()[std::size_t(g_artVariant) * kLandIds + id];
}

int RemapStaticIdByVariant(int id) {
    if (g_artVariant == 0) return lookup(kVariant0, id);
    if (g_artVariant == 2) return lookup(kVariant2, id);
    return id;
}
