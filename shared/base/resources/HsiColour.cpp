// The hue-lightness-saturation conversions of the hue tools and the hue
// picker.
#include <algorithm>
#include <cmath>

#include "resources/HueManager.h"

namespace {

bool nearZero(double v) {
    return std::fabs(v) < 0.001;
}

}  // namespace

void HSIToRGB(double hue, double intensity, double saturation, double* out1, double* out2,
              double* out3) {
    if (nearZero(saturation)) {
        *out1 = *out2 = *out3 = intensity;
        return;
    }
    const double m2 = intensity <= 0.5 ? intensity * (1 + saturation)
                                       : intensity + saturation - intensity * saturation;
    const double m1 = 2 * intensity - m2;
    *out1 = *out2 = *out3 = -1;
    if (hue >= 240)
        *out1 = m1;
    else if (hue < 120)
        *out2 = m1;
    else
        *out3 = m1;
    if (hue < 60 || hue >= 300)
        *out3 = m2;
    else if (hue < 180)
        *out1 = m2;
    else
        *out2 = m2;

    // The output still at -1 lies between the two.
    const double t = std::tan(hue * 3.14159265359 / 180);
    const double root3 = std::sqrt(3.0);
    if (*out1 == -1) {
        *out1 = nearZero(t + root3)
                    ? *out3
                    : (t * (*out3 - *out2 / 2) + *out2 * root3 / 2) / ((t + root3) / 2);
    } else if (*out2 == -1) {
        *out2 = nearZero(root3 - t)
                    ? *out3
                    : (*out1 * root3 / 2 + t * (*out1 / 2 - *out3)) / ((root3 - t) / 2);
    } else if (*out3 == -1) {
        *out3 = nearZero(t) ? *out1 : (t * (*out1 + *out2) / 2 + (*out1 - *out2) * root3 / 2) / t;
    }
}

void RGBToHSV(int r, int g, int b, double* hue, double* lightness, double* saturation) {
    const double red = r / 256.0, green = g / 256.0, blue = b / 256.0;
    const double high = std::max({red, green, blue});
    const double low = std::min({red, green, blue});
    *lightness = (high + low) / 2;
    if (high == low) {
        *hue = *saturation = 0;
        return;
    }
    const double d = high - low;
    *saturation = *lightness <= 0.5 ? d / (high + low) : d / (2 - (high + low));
    double h;
    if (red == high)
        h = (green - blue) / d;
    else if (green == high)
        h = 2 + (blue - red) / d;
    else
        h = 4 + (red - green) / d;
    h *= 60;
    if (h < 0) h += 360;
    *hue = h;
}
