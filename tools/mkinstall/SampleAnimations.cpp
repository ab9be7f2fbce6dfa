// Animations: a standing and walking figure for the two human bodies, the
// body speeds and the animated items.
#include "Sample.h"

namespace mkinstall {

namespace {

using namespace tw::datafiles;

// A figure of 20 x 50 pixels in colour indexes 1 (skin), 2 (clothes) and
// 3 (legs), anchored at its feet; odd frames move the legs apart.
AnimFrame figure(int frame) {
    AnimFrame f;
    f.width = 20;
    f.height = 50;
    f.anchorX = 10;
    f.anchorY = 50;
    f.indexes.assign(20 * 50, 0);
    auto put = [&](int x, int y, M_BYTE c) { f.indexes[size_t(y) * 20 + x] = c; };
    for (int y = 0; y < 10; ++y)
        for (int x = 6; x < 14; ++x) put(x, y, 1);
    for (int y = 10; y < 32; ++y)
        for (int x = 3; x < 17; ++x) put(x, y, 2);
    const int spread = frame % 2 ? 3 : 0;
    for (int y = 32; y < 50; ++y) {
        for (int x = 5 - spread / 2; x < 9 - spread / 2; ++x) put(x, y, 3);
        for (int x = 11 + spread / 2; x < 15 + spread / 2; ++x) put(x, y, 3);
    }
    return f;
}

}  // namespace

void WriteAnimations(Output& out) {
    std::array<M_WORD, 256> colours{};
    colours[1] = Rgb555(230, 190, 150);
    colours[2] = 0x3DEF;  // grey, so that hues recolour it
    colours[3] = Rgb555(70, 60, 120);
    Bytes animation = EncodeAnimation(colours, {figure(0), figure(1), figure(0), figure(1)});
    IndexedPair anims;
    // Bodies 400 and 401: 175 animation numbers each from 35000, all sharing
    // one copy of the figure.
    anims.add(35000, animation);
    const IndexRecord shared = anims.record(35000);
    for (int n = 35001; n < 35000 + 2 * 175; ++n) anims.setRecord(n, shared);
    out.pair("anim.idx", "anim.mul", anims);

    out.bytes("animinfo.mul", EncodeAnimInfo({{400, {4, 2}}, {401, {4, 2}}}));

    AnimDataRecord water;
    water.frameCount = 4;
    water.interval = 4;
    for (int i = 0; i < 4; ++i) water.frames[i] = static_cast<std::int8_t>(i);
    out.bytes("animdata.mul", EncodeAnimData({{tw::datafiles::sample::kWaterfall, water}}));
}

}  // namespace mkinstall
