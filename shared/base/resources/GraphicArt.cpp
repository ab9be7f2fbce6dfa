// Art items: fetching, sizes, land-tile expansion and updates from the
// server.
#include <cstdint>
#include <cstring>

#include "ByteReader.h"
#include "DebugHooks.h"
#include "ErrorMessage.h"
#include "Service.h"
#include "TWReport.h"
#include "resources/DHDCache.h"
#include "resources/GraphicManager.h"
#include "resources/PatchOwners.h"
#include "resources/SkipDraw.h"

namespace {

constexpr int kFirstStaticArt = 16384;
constexpr int kLandSide = 44;
constexpr int kLandSourceBytes = 1012 * 2;
constexpr int kLandUpdateBytes = 2048;

}  // namespace

void GraphicManager::GetArtSize(int id, int* width, int* height) {
    *width = kLandSide;
    *height = kLandSide;
    if (id <= kFirstStaticArt - 1) return;
    // The size words need the first 8 bytes of the item.
    SkipImage image = GetArtData(id);
    if (!image || image.size < 8) return;
    *width = image.Width();
    *height = image.Height();
}

BOOL ExpandLandTile(const M_BYTE* source, int sourceLength, M_WORD* destination) {
    memset(destination, 0, kLandSide * kLandSide * sizeof(M_WORD));
    if (!source || sourceLength < kLandSourceBytes) return FALSE;
    ByteReader pixels(source, kLandSourceBytes);
    for (int row = 0; row < kLandSide; ++row) {
        int first = row < 22 ? 21 - row : row - 22;
        int count = row < 22 ? 2 * (row + 1) : 2 * (kLandSide - row);
        pixels.u16leArray(destination + row * kLandSide + first, size_t(count));
    }
    return TRUE;
}

void GraphicManager::UpdateArt(const char* data, int id, int lengthFlag, int extra,
                               int receivedLength) {
    if (static_cast<unsigned>(id) > 65535) {
        ErrorMessage("Tried to update art less than 0 or greater then 65535.", "damn art bug",
                     FALSE);
        return;
    }
    DataFileChangedHook();
    if (lengthFlag == -1) {
        CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, id, extra, nullptr, 0);
    } else {
        std::int64_t size = kLandUpdateBytes;
        if (id >= kFirstStaticArt) {
            // Static art: its row data, the row table and the 8-byte header.
            ByteReader r(data, data && receivedLength > 0 ? size_t(receivedLength) : 0);
            std::int64_t rowBytes = r.u32le();
            r.skip(2);
            std::int64_t rows = r.u16le();
            size = r.ok() ? rowBytes + 2 * rows + 8 : -1;
        }
        // The size comes from the message itself: never more than arrived.
        if (!data || size < 0 || size > receivedLength) {
            TWReport::warning(
                "GraphicManager::UpdateArt: art %d needs %lld bytes but %d arrived. "
                "ignored.\n",
                id, static_cast<long long>(size), receivedLength);
            return;
        }
        CDHDCache::AddVersionedItem(FN_ARTIDX, FN_ART, id, extra, data, static_cast<int>(size));
    }
    PatchOwners& owners = tw::Service<PatchOwners>::Get();
    if (id < kFirstStaticArt)
        owners.InvalidateTerrainOfTile(id);
    else
        owners.ResortItemsOfTile(id - kFirstStaticArt);
}
