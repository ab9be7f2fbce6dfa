// The art images of the blitters, reached through the graphic manager.
#include "resources/GraphicManager.h"
#include "resources/SkipDraw.h"

SkipImage GraphicManager::GetArt(int id) {
    SkipImage image = GetArtData(id & 0x7FFF);
    return image ? image : GetArtData(0);
}

SkipImage GraphicManager::GetStaticArt(int id) {
    return GetArtData(id + 16384);
}
