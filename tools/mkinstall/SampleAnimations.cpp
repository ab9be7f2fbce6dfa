// Animations: the sample world's figures, the body speeds and the animated
// items.
#include "Sample.h"

namespace mkinstall {

void WriteAnimations(Output& out, const SampleWorld& world) {
    using namespace tw::datafiles;
    // The sample world's figures: both human bodies, their hair, shirt and
    // pants, and a creature, standing, walking, seated and falling dead.
    out.pair("anim.idx", "anim.mul", world.animations);

    out.bytes("animinfo.mul", EncodeAnimInfo({{400, {4, 2}}, {401, {4, 2}}}));

    AnimDataRecord water;
    water.frameCount = 4;
    water.interval = 4;
    for (int i = 0; i < 4; ++i) water.frames[i] = static_cast<std::int8_t>(i);
    out.bytes("animdata.mul", EncodeAnimData({{tw::datafiles::sample::kWaterfall, water}}));
}

}  // namespace mkinstall
