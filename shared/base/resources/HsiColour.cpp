// The hue-lightness-saturation conversion of the hue tools and the hue
// picker's test gump.
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
