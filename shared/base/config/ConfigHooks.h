// What a few keys do beyond storing their value: they hand it to a module
// above the configuration.  That module implements this interface and main
// installs it at start-up, before "tw.cfg" is read (the view's, see
// view/ViewServices.h).
#pragma once

class ConfigHooks {
public:
    static constexpr const char* kServiceName = "ConfigHooks";
    virtual ~ConfigHooks() = default;

    // GamePlayWindowSize: the graphic manager's play-area size, which
    // accepts 640 x 480 and 800 x 600 only and ends the program otherwise.
    virtual void setGameplayWindowPixelWidthAndHeight(int width, int height) = 0;
    // CircleTransRadius and CircleTransPos: the circle of transparency.
    virtual void SetCircleTransRadius(int radius) = 0;
    virtual void SetCircleTransPosition(int x, int y) = 0;
};
