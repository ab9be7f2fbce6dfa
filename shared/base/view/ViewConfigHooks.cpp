// What the configuration keys hand to the screen side.
#include "Service.h"
#include "config/ConfigHooks.h"
#include "resources/GraphicManager.h"
#include "view/CircleTrans.h"
#include "view/ViewServices.h"

namespace {

class ViewConfig final : public ConfigHooks {
public:
    void setGameplayWindowPixelWidthAndHeight(int width, int height) override {
        GraphicManager::setGameplayWindowPixelWidthAndHeight(width, height);
    }
    void SetCircleTransRadius(int radius) override { theCircleTrans.SetRadius(radius); }
    void SetCircleTransPosition(int x, int y) override { theCircleTrans.SetPosition(x, y); }
};

}  // namespace

ConfigHooks& ViewConfigHooks() {
    static ViewConfig hooks;
    return hooks;
}
