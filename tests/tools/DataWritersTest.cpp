// The fixture writers are read back here by small decoders written from the
// record layouts, so that a wrong offset in a writer shows up before it
// misleads a reader test.
#include <gtest/gtest.h>

#include "ByteReader.h"
#include "support/datafiles/DataFiles.h"

using namespace tw::datafiles;

namespace {

ByteReader at(const Bytes& b, size_t offset) {
    ByteReader r(b.data(), b.size());
    r.seek(offset);
    return r;
}

// A picture with distinct, mostly opaque pixels and a few holes.
Image testPicture(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.set(x, y, (x + y) % 5 == 0 ? 0 : M_WORD(1 + x + 100 * y));
    return img;
}

}  // namespace

TEST(DataWriters, IndexedPairKeepsGapsAbsentAndOffsetsInOrder) {
    IndexedPair pair;
    pair.add(2, {1, 2, 3}, 7).add(0, {9}).setRecord(4, {100, -5, 0});
    Bytes idx = pair.indexBytes();
    ASSERT_EQ(idx.size(), 5u * 12);
    struct Row {
        int index;
        std::int32_t offset, length, extra;
    } rows[] = {{0, 3, 1, 0}, {1, -1, 0, 0}, {2, 0, 3, 7}, {3, -1, 0, 0}, {4, 100, -5, 0}};
    for (const Row& row : rows) {
        ByteReader r = at(idx, size_t(row.index) * 12);
        EXPECT_EQ(r.i32le(), row.offset) << row.index;
        EXPECT_EQ(r.i32le(), row.length) << row.index;
        EXPECT_EQ(r.i32le(), row.extra) << row.index;
    }
    EXPECT_EQ(pair.data(), (Bytes{1, 2, 3, 9}));
}

TEST(DataWriters, LandTileTakesTheDiamondRowByRow) {
    Image img(44, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) img.set(x, y, M_WORD(1 + x + 44 * y));
    Bytes b = EncodeLandTile(img);
    ASSERT_EQ(b.size(), 2048u);
    ByteReader r(b.data(), b.size());
    int total = 0;
    int widths[44];
    for (int row = 0; row < 44; ++row) {
        int first = 0;
        LandTileRow(row, &first, &widths[row]);
        for (int i = 0; i < widths[row]; ++i) ASSERT_EQ(r.u16le(), 1 + first + i + 44 * row);
        total += widths[row];
        EXPECT_EQ(first + widths[row] / 2, 22) << "row " << row << " is centred";
    }
    EXPECT_EQ(total, 1012);
    EXPECT_EQ(widths[0], 2);
    EXPECT_EQ(widths[21], 44);
    EXPECT_EQ(widths[22], 44);
    EXPECT_EQ(widths[43], 2);
}

TEST(DataWriters, StaticArtDecodesBackToThePicture) {
    Image img = testPicture(9, 4);
    img.fillRect(0, 2, 9, 1, 0);  // an empty row
    Bytes b = EncodeStaticArt(img);
    ByteReader r(b.data(), b.size());
    M_DWORD rowBytes = r.u32le();
    int w = r.u16le();
    int h = r.u16le();
    ASSERT_EQ(w, 9);
    ASSERT_EQ(h, 4);
    EXPECT_EQ(b.size(), rowBytes + 2 * h + 8) << "the art update's length rule";
    size_t table = 8 + 2 * size_t(h);
    for (int y = 0; y < h; ++y) {
        ByteReader rr = at(b, 8 + 2 * size_t(y));
        ByteReader row = at(b, table + 2 * size_t(rr.u16le()));
        int x = 0;
        Image got(w, 1);
        for (;;) {
            int skip = row.u16le();
            int count = row.u16le();
            if (count == 0) break;
            x += skip;
            for (int i = 0; i < count; ++i) got.set(x++, 0, row.u16le());
        }
        ASSERT_TRUE(row.ok());
        for (int xx = 0; xx < w; ++xx) EXPECT_EQ(got.at(xx, 0), img.at(xx, y)) << xx << "," << y;
    }
}

TEST(DataWriters, GumpArtDecodesBackToThePicture) {
    Image img = testPicture(7, 3);
    img.fillRect(0, 1, 7, 1, 0x1234);  // a row of one run
    GumpArt art = EncodeGumpArt(img);
    EXPECT_EQ(art.extra, 7 << 16 | 3);
    for (int y = 0; y < 3; ++y) {
        ByteReader row = at(art.data, 4 * size_t(at(art.data, 4 * size_t(y)).u32le()));
        int x = 0;
        while (x < 7) {
            M_DWORD run = row.u32le();
            ASSERT_TRUE(row.ok());
            for (M_DWORD i = 0; i < run >> 16; ++i, ++x) EXPECT_EQ(M_WORD(run), img.at(x, y));
        }
        EXPECT_EQ(x, 7);
    }
}

TEST(DataWriters, TableFilesPlaceRecordsWhereTheirReadersLook) {
    TileData tiles;
    tiles.land[33] = {0x4000, 77, "grass"};
    tiles.items[40] = {0x01000000, 5, 6, 0x10002, 8, 9, 10, 11, "lamp%s%"};
    Bytes t = tiles.bytes();
    ASSERT_EQ(t.size(), 428032u + 512u * 1188);
    ByteReader land = at(t, 1 * 836 + 4 + 1 * 26);
    EXPECT_EQ(land.u32le(), 0x4000u);
    EXPECT_EQ(land.u16le(), 77);
    ByteReader item = at(t, 428032 + 1 * 1188 + 4 + 8 * 37);
    EXPECT_EQ(item.u32le(), 0x01000000u);
    item.skip(12);
    EXPECT_EQ(item.u8(), 11) << "height";
    char name[21];
    item.fixedString(name, sizeof name, 20);
    EXPECT_STREQ(name, "lamp%s%");
    EXPECT_EQ(tiles.itemGroup(1).size(), 1188u);

    std::vector<HueRecord> hues(20);
    hues[19] = RampHue(0x0421, 0x7FFF, "white");
    Bytes h = EncodeHues(hues);
    ASSERT_EQ(h.size(), 375u * 708);
    ByteReader hue = at(h, 2 * 708 + 4 + 3 * 88);
    EXPECT_EQ(hue.u16le(), 0x0421);
    EXPECT_EQ(at(h, 2 * 708 + 4 + 3 * 88 + 62).u16le(), 0x7FFF) << "last ramp colour";
    EXPECT_EQ(at(h, 2 * 708 + 4 + 3 * 88 + 66).u16le(), 0x7FFF) << "end colour";

    AnimDataRecord anim;
    anim.frames[1] = -2;
    anim.frameCount = 3;
    anim.interval = 4;
    Bytes a = EncodeAnimData({{17, anim}});
    ASSERT_EQ(a.size(), 2048u * 548);
    EXPECT_EQ(a[2 * 548 + 4 + 68 + 1], 0xFE);
    EXPECT_EQ(a[2 * 548 + 4 + 68 + 65], 3);
    EXPECT_EQ(a[2 * 548 + 4 + 68 + 66], 4);

    Bytes info = EncodeAnimInfo({{3, {9, 8}}});
    ASSERT_EQ(info.size(), 2000u);
    EXPECT_EQ(info[6], 9);
    EXPECT_EQ(info[0], 4);
}

TEST(DataWriters, VerdataPayloadOffsetsPointAtThePayloads) {
    VerdataBuilder v;
    v.add(4, 100, {1, 2, 3}, 5).add(kVerdataHues, 2, {}).add(3, 7, {9, 9});
    v.addRaw({1, 2, 9999, -4, 0});
    Bytes b = v.bytes();
    ByteReader r(b.data(), b.size());
    ASSERT_EQ(r.i32le(), 4);
    std::int32_t expect[4][5] = {
        {4, 100, 84, 3, 5}, {32, 2, 87, 0, 0}, {3, 7, 87, 2, 0}, {1, 2, 9999, -4, 0}};
    for (auto& rec : expect)
        for (std::int32_t field : rec) EXPECT_EQ(r.i32le(), field);
    EXPECT_EQ(b.size(), 89u);
    EXPECT_EQ(b[84], 1);
    EXPECT_EQ(b[87], 9);
}

TEST(DataWriters, FontsHoldTwentyFiveHeadersAndTheirGlyphs) {
    BitmapFont font = TextFont(0x7FFF);
    Bytes glyphs = EncodeFontGlyphs(font);
    Bytes all = EncodeFonts({std::nullopt, font});
    ASSERT_EQ(all.size(), 25u + glyphs.size());
    EXPECT_EQ(all[0], 0);
    EXPECT_EQ(all[1], 1);
    EXPECT_EQ(all[2], 6) << "width of the space glyph";
    EXPECT_EQ(all[3], 7);
    EXPECT_EQ(font['A'].pixels[2], 0x7FFF) << "top of the A";
    EXPECT_EQ(font[200].width, 0);

    auto uni = TextUnicodeGlyphs();
    Bytes u = EncodeUnicodeFont(uni);
    M_DWORD offset = at(u, 'T' * 4).u32le();
    ASSERT_GE(offset, 65536u * 4);
    ByteReader g = at(u, offset);
    EXPECT_EQ(g.i8(), 0);
    EXPECT_EQ(g.i8(), 4);
    EXPECT_EQ(g.i8(), 5);
    EXPECT_EQ(g.i8(), 7);
    EXPECT_EQ(g.u8(), 0xF8) << "the T's bar, bit 7 leftmost";
    EXPECT_EQ(at(u, ' ' * 4).u32le(), 0u);
}

TEST(DataWriters, MapBlocksAndStaticsFollowTheBlockNumbering) {
    MapBuilder map(2, 3, 0);
    map.setCell(13, 21, 500, -5);
    map.addStatic({1000, 13, 21, 7, 33});
    Bytes m = map.mapBytes();
    ASSERT_EQ(m.size(), 2u * 512 * 196);
    int block = MapBuilder::BlockNumber(13, 21);
    EXPECT_EQ(block, 1 * 512 + 2);
    ByteReader cell = at(m, size_t(block) * 196 + 4 + (5 * 8 + 5) * 3);
    EXPECT_EQ(cell.u16le(), 500);
    EXPECT_EQ(cell.i8(), -5);
    IndexedPair s = map.statics();
    EXPECT_EQ(s.count(), 1024);
    ASSERT_EQ(s.record(block).length, 7);
    ByteReader st = at(s.data(), size_t(s.record(block).offset));
    EXPECT_EQ(st.u16le(), 1000);
    EXPECT_EQ(st.u8(), 5);
    EXPECT_EQ(st.u8(), 5);
    EXPECT_EQ(st.i8(), 7);
    EXPECT_EQ(st.u16le(), 33);
    EXPECT_EQ(s.record(0).offset, -1);
}

TEST(DataWriters, RegionLayoutsHaveTheirRecordSizes) {
    Region r;
    r.name = "Town";
    r.slot = 3;
    r.highZ = 9;
    r.secondName = "x";
    r.value5 = 0xBEEF;
    struct Case {
        RegionLayout layout;
        size_t size;
        size_t highZ;
    } cases[] = {{RegionLayout::Padded112, 2 + 112, 2 + 52},
                 {RegionLayout::Packed, 2 + 107, 2 + 52},
                 {RegionLayout::Face103, 2 + 103, 2 + 52},
                 {RegionLayout::Unversioned58, 58, 52}};
    for (const Case& c : cases) {
        Bytes b = EncodeRegions({r}, c.layout);
        EXPECT_EQ(b.size(), c.size);
        EXPECT_EQ(at(b, c.highZ).i16le(), 9);
    }
    EXPECT_EQ(at(EncodeRegions({r}, RegionLayout::Padded112), 2 + 108).u16le(), 0xBEEF);
}

TEST(DataWriters, RunLengthFormatsDecodeBack) {
    std::vector<bool> land(300);
    for (size_t i = 0; i < land.size(); ++i) land[i] = i >= 10 && i < 200;
    Bytes mm = EncodeMultimap(30, 10, land);
    ByteReader r(mm.data(), mm.size());
    EXPECT_EQ(r.u32le(), 30u);
    EXPECT_EQ(r.u32le(), 10u);
    std::vector<bool> got;
    while (!r.atEnd()) {
        M_BYTE run = r.u8();
        ASSERT_NE(run & 0x7F, 0);
        got.insert(got.end(), run & 0x7F, (run & 0x80) != 0);
    }
    EXPECT_EQ(got, land);

    AnimFrame f{2, 3, 4, 3, {0, 5, 6, 0, 0, 0, 0, 0, 7, 0, 0, 8}};
    Bytes a = EncodeAnimation({}, {f});
    EXPECT_EQ(at(a, 512).u32le(), 1u);
    ByteReader fr = at(a, 512 + at(a, 516).u32le());
    EXPECT_EQ(fr.u16le(), 2);
    EXPECT_EQ(fr.u16le(), 0) << "the anchor row (3) less the height (3)";
    fr.skip(4);
    struct Run {
        int dx, dy, n;
        std::vector<M_BYTE> px;
    } runs[] = {{-1, -3, 2, {5, 6}}, {-2, -1, 1, {7}}, {1, -1, 1, {8}}};
    for (const Run& run : runs) {
        M_DWORD h = fr.u32le();
        EXPECT_EQ(int(h & 0xFFF), run.n);
        EXPECT_EQ((std::int32_t(h << 10) >> 22), run.dy);
        EXPECT_EQ((std::int32_t(h) >> 22), run.dx);
        for (M_BYTE p : run.px) EXPECT_EQ(fr.u8(), p);
    }
    EXPECT_EQ(fr.u32le(), 0x7FFF7FFFu);
}
