#include "dialogs/HueGump.h"

#include "pending/Pending.h"

void RGBToHSV(int, int, int, double* hue, double* lightness, double* saturation) {
    TW_PENDING("RGBToHSV");
    *hue = *lightness = *saturation = 0;
}
