// Finding the open gump of an object, and opening gumps by gump id.
#include "ErrorMessage.h"
#include "FrameBuf.h"
#include "TWReport.h"
#include "config/Config.h"
#include "gumps/Gump.h"
#include "gumps/GumpHandle.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "resources/GumpArt.h"
#include "world/Obj.h"

namespace {

bool matches(CGump* g, CObj* object, BOOL wantPaperdoll, BOOL wantShop) {
    if (g->owner != object) return false;
    if (g->IsCourseGump() || g->IsStackGump()) return true;
    if (object->IsContainer() && !wantPaperdoll && !wantShop && g->IsContainerGump()) return true;
    if (!object->IsMobile()) return false;
    if (wantPaperdoll) return g->IsPaperdollGump();
    if (wantShop) return g->IsShopGump();
    return !g->IsPaperdollGump() && !g->IsShopGump();
}

// Raises a gump that is open already, restoring it when minimized.
CGump* raise(CGump* gump) {
    CGump::BringToFront(gump, 0);
    if (gump->minimized) CGump::Restore(gump);
    return gump;
}

// Ids whose gump shows an object are refused without one.
CGump* refuseWithoutObject(int id, const char* construction) {
    TWReport::warning(
        "CGumpManager::OpenGump, case '%d': Prevented client crash by not calling '%s' when "
        "pObj==NULL. Return value will also be NULL.\n",
        id, construction);
    return nullptr;
}

// The next staggered container place: 16 pixels on from the last, back to 16
// on an axis where the window would come within 16 pixels of the edge.
void nextStaggeredPlace(int width, int height, int* x, int* y) {
    const int step = CGumpManager::CONTAINER_STAGGER;
    int nx = CGumpManager::containerStaggerX + step;
    int ny = CGumpManager::containerStaggerY + step;
    if (nx + width >= g_displayWidth - step) nx = step;
    if (ny + height >= g_displayHeight - step) ny = step;
    CGumpManager::containerStaggerX = *x = nx;
    CGumpManager::containerStaggerY = *y = ny;
}

// A plain gump of the art's size, its one frame showing the art.
CGump* plainGump(int id, CGump* parent, CObj* object, int width, int height) {
    auto* gump = new CGump(g_displayWidth - width, 0, parent, object, 1, width, height);
    if (M_WORD* pixels = width > 0 && height > 0 ? gump->NewFrameBlock(0, width, height) : nullptr)
        DrawGumpPixels(CopySpanTransparent, id, 0, 0,
                       BlitTarget(pixels, FramePitch(width), width, height));
    return gump;
}

}  // namespace

CGump* CGumpManager::FindGump(CObj* object, BOOL wantPaperdoll, BOOL wantShop, CGump* head) {
    if (!object) return nullptr;
    for (CGump* g = head; g; g = g->next) {
        if (matches(g, object, wantPaperdoll, wantShop)) return g;
        if (CGump* found = FindGump(object, wantPaperdoll, wantShop, g->firstChild)) return found;
    }
    return nullptr;
}

CGump* CGumpManager::OpenGump(CObj* object, int id, CGump* parent, int container) {
    if (object) {
        if (CGump* open = FindGump(object, id == 10, id == 48, g_gumpList)) return raise(open);
    }
    if (id == 5000 && configGump) return raise(configGump);
    if ((id == 5010 || id == 5011) && radarGump) {
        delete radarGump;  // forgetting it clears radarGump
        id = 5011;
    }
    if (id == 7) {
        for (CGump* g = g_gumpList; g; g = g->next)
            if (g->IsTextGump()) return raise(g);
    }
    if (id == 48) {
        GumpHandle walk(g_gumpList, GumpHandle::OnClose::StepNext);
        while (CGump* g = walk.get()) {
            walk.set(g->next);
            if (g->IsShopGump()) delete g;
        }
    }

    int width = 0, height = 0;
    GetGumpArtSize(id, &width, &height);
    GumpFactory& factory = tw::Service<GumpFactory>::Get();
    CGump* gump = nullptr;
    switch (id) {
        case 7:
            gump = factory.CreateTextGump(0, 0);
            break;
        case 8:
            if (!object) return refuseWithoutObject(id, "NEW CStatusGump(pObj, flag);");
            gump = factory.CreateStatusGump(object, object->IsPlayer() ? 0 : 1);
            break;
        case 10:
            if (!object) return refuseWithoutObject(id, "NEW CPaperdollGump(...);");
            gump = factory.CreatePaperdollGump(g_displayWidth - width, 0, parent, object, 1, width,
                                               height, "", 0);
            break;
        case 48:
            if (!object) return refuseWithoutObject(id, "NEW CShopGump(150, 5, pObj);");
            gump = factory.CreateShopGump(150, 5, object);
            break;
        case 49: {
            if (!object) return refuseWithoutObject(id, "NEW CStackGump(x, y, pObj);");
            int mouseX = 0, mouseY = 0;
            MouseManager::GetMousePos(&mouseX, &mouseY);
            gump = factory.CreateStackGump(mouseX - 50, mouseY - 37, object);
            break;
        }
        case 5000: {
            int artWidth = 0;
            GetGumpArtSize(5001, &artWidth, nullptr);
            if (width == 0 || artWidth == 0) {
                ErrorMessage("Missing ClientCfg GUMP art!", "Error", FALSE);
                return nullptr;
            }
            gump = configGump = factory.CreateOptionsGump();
            break;
        }
        case 5010:
        case 5011:
            gump = radarGump = factory.CreateRadarGump(0, 0, id);
            break;
        default:
            if (!container) {
                gump = plainGump(id, parent, object, width, height);
            } else {
                if (!object) return refuseWithoutObject(id, "NEW CContainerGump(...);");
                int x = g_displayWidth - width - 10, y = 10;
                if (OffsetGumps) nextStaggeredPlace(width, height, &x, &y);
                gump = factory.CreateContainerGump(x, y, parent, object, 1, width, height, id);
            }
            break;
    }
    if (!gump) return nullptr;
    gump->PutInGump(parent);
    return gump;
}
