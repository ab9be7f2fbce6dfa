// Hostile messages for every world handler: cut short, counts past the end,
// bad layers, names without terminators and unknown sub-commands.  Each is
// dropped (or the bad part ignored) with a log line, and the world stays as
// it was; the sanitizers watch every read.
#include <sys/stat.h>

#include "WorldMessageFixture.h"
#include "config/Config.h"

using namespace tw::test;

namespace {

constexpr M_DWORD kMobile = 0x20;
constexpr M_DWORD kShirtItem = kItem | 0x10;
constexpr M_DWORD kCorpse = kItem | 0x11;

// Every object, where it is and what it wears, as text.
std::string WorldPicture() {
    std::string out;
    for (CDynamicObj* o = CObjectManager::masterDynamicObjectList; o; o = o->masterNext) {
        char line[128];
        snprintf(line, sizeof line, "%X %d %d,%d,%d in=%X;", o->GetSerial(), o->objectType, o->locX,
                 o->locY, o->z, o->containedBy ? o->containedBy->GetSerial() : 0);
        out += line;
        if (o->IsMobile()) {
            CMobile* m = static_cast<CMobile*>(o);
            for (int layer = 0; layer < CMobile::LAYERS; ++layer)
                if (CObj* worn = m->equippedItem[layer]) {
                    // What a slot holds is worn by that mobile.
                    EXPECT_EQ(static_cast<CDynamicObj*>(worn)->containedBy, m);
                    out += 'w';
                    out += std::to_string(layer);
                }
        }
    }
    return out;
}

struct HostileCase {
    const char* name;
    std::vector<M_BYTE> message;
    const char* logged;
};

class HostileMessageTest : public WorldMessageTest {
protected:
    void SetUp() override {
        WorldMessageTest::SetUp();
        MakePlayer(100, 100);
        PlaceMobile(kMobile, kHuman, 101, 100);
        PlaceItem(kShirtItem, kShirt, 102, 100);
        PlaceItem(kCorpse, CORPSE_OBJ, 103, 100);
        EditServerAddress = 0x7F000001;
    }
};

TEST_F(HostileMessageTest, EachIsDroppedWithALogLineAndTheWorldStays) {
    Msg longName(0x11);
    longName.u32(kMobile).text(std::string(30, 'Z'), 30);  // cut inside the vitals

    const HostileCase cases[] = {
        {"0x1A serial only", Msg(0x1A).u32(kItem | 5), "0x1A"},
        {"0x1A hue announced, missing",
         Msg(0x1A).u32(kItem | 5).u16(kShirt).u16(1).u16(0x8001).u8(0), "0x1A"},
        {"0x1D short", {0x1D, 0x40, 0}, "0x1D"},
        {"0x77 short", Msg(0x77).u32(kMobile).u16(kHuman).u16(5), "0x77"},
        {"0x78 header short", Msg(0x78).u32(kMobile + 1).u16(kHuman), "0x78"},
        {"0x78 worn entry cut",
         Msg(0x78)
             .u32(kMobile + 1)
             .u16(kHuman)
             .u16(1)
             .u16(1)
             .u8(0)
             .u8(0)
             .u16(0)
             .u8(0)
             .u8(0)
             .u32(kItem | 6)
             .u16(kShirt | 0x8000)
             .u8(3)
             .u8(1),
         "worn item cut short"},
        {"0x78 wears a mobile",
         Msg(0x78)
             .u32(kMobile)
             .u16(kHuman)
             .u16(101)
             .u16(100)
             .u8(0)
             .u8(0)
             .u16(0)
             .u8(0)
             .u8(0)
             .u32(kPlayerSerial)
             .u16(kShirt)
             .u8(3)
             .u32(0),
         "a mobile cannot be worn"},
        {"0x2E layer 30", Msg(0x2E).u32(kItem | 7).u16(kShirt).u8(0).u8(30).u32(kMobile).u16(0),
         "layer out of range"},
        {"0x2E wears itself", Msg(0x2E).u32(kMobile).u16(kShirt).u8(0).u8(3).u32(kMobile).u16(0),
         "a mobile cannot be worn"},
        {"0x2E wears the player",
         Msg(0x2E).u32(kPlayerSerial).u16(kShirt).u8(0).u8(3).u32(kMobile).u16(0),
         "a mobile cannot be worn"},
        {"0x25 short", Msg(0x25).u32(kItem | 8).u16(kShirt), "0x25"},
        {"0x3C count past the end",
         [] {
             Msg m(0x3C);
             m.u16(5);
             return ContainerRecord(m, kItem | 9, kShirt, 1, 1, 1, kShirtItem).bytes();
         }(),
         "record count past the end"},
        {"0x3C count 65535, no records", Msg(0x3C).u16(0xFFFF), "record count past the end"},
        {"0x89 pair cut", Msg(0x89).u32(kCorpse).u8(3).u16(1), "pair cut short"},
        {"0x89 layer 26", Msg(0x89).u32(kCorpse).u8(26).u32(kItem | 10).u8(0), "layer 26 ignored"},
        {"0x27 nothing held", Msg(0x27).u8(0), "no item is held"},
        {"0x2F short", {0x2F, 0, 0, 0, 0, 0, 0}, "0x2F"},
        {"0x24 short", {0x24, 0, 0, 0}, "0x24"},
        {"0x23 short", Msg(0x23).u16(1).u8(0).u16(0), "0x23"},
        {"0x1B short", {0x1B, 0, 0, 0, 1}, "0x1B"},
        {"0x20 short", Msg(0x20).u32(kPlayerSerial), "0x20"},
        {"0x21 short", {0x21, 1}, "0x21"},
        {"0x11 name without terminator, cut", longName, "0x11"},
        {"0x11 extended cut", Msg(0x11).u32(kMobile).text("A", 30).u16(1).u16(1).u8(0).u8(1).u8(0),
         "0x11"},
        {"0x2D short", Msg(0x2D).u32(kMobile).u16(1), "0x2D"},
        {"0x3A unknown command", Msg(0x3A).u8(7), "unknown skill command"},
        {"0x3A entry cut", Msg(0x3A).u8(0).u16(3).u8(1), "skill entry cut short"},
        {"0x3A skill number 51", Msg(0x3A).u8(0).u16(51).u16(9).u16(0), "skill 51 is not a skill"},
        {"0x3A index 50", Msg(0x3A).u8(255).u16(50).u16(9), "skill out of range"},
        {"0x3A name past the end", Msg(0x3A).u8(254).u16(1).u8(0).u8(200).text("abc", 3),
         "skill name cut short"},
        {"0x3A 1000 names", Msg(0x3A).u8(254).u16(1000), "the table holds"},
        {"0xBF unknown sub-command", Msg(0xBF).u16(99), "extended command 99 ignored"},
        {"0xBF no sub-command", {0xBF, 0, 3}, "0xBF"},
        {"0xBF keys cut", Msg(0xBF).u16(1).u32(1).u32(2), "walk keys cut short"},
        {"0xBF key cut", Msg(0xBF).u16(2).u16(1), "walk key cut short"},
        {"0xBF help mail cut", Msg(0xBF).u16(3).text("a@b", 32), "help mail cut short"},
        {"0x41 group beyond the table", Msg(0x41).u32(1024).raw(std::vector<M_BYTE>(1188)),
         "beyond the table"},
        {"0x41 group 0xFFFFFFFF", Msg(0x41).u32(0xFFFFFFFF), "beyond the table"},
        {"0x41 item group short", Msg(0x41).u32(512).raw(std::vector<M_BYTE>(836)),
         "tile-data group cut short"},
        {"0x42 art past 65535", Msg(0x42).u32(0x10000).u32(0).u32(0), "art number out of range"},
        {"0x42 short", Msg(0x42).u32(1).u32(0), "0x42"},
        {"0x92 records cut", Msg(0x92).u32(1).u32(0).raw(std::vector<M_BYTE>(13)),
         "multi records cut short"},
        {"0x94 short", Msg(0x94).u8(1).u16(0), "0x94"},
        {"0x3F count past the end", Msg(0x3F).u32(0).u32(3).u32(0).raw(std::vector<M_BYTE>(14)),
         "entry count past the end"},
        {"0x57 short", {0x57, 'a', 'b'}, "0x57"},
        {"0x3B short", Msg(0x3B).u32(kMobile), "0x3B"},
        {"0x90 short", {0x90, 0x40, 0, 0, 0x10, 0x13}, "0x90"},
        {"0x72 short", {0x72, 1}, "0x72"},
        {"0xAF short", {0xAF, 0, 0, 0, 0x20}, "0xAF"},
        {"0x3E short", {0x3E, 0}, "0x3E"},
        {"0x15 short", {0x15, 0, 0}, "0x15"},
        {"0x39 short", {0x39, 0, 0}, "0x39"},
        {"0x2C short", {0x2C}, "0x2C"},
        {"0x22 short", {0x22, 0}, "0x22"},
        {"0x38 short", {0x38, 0, 1}, "0x38"},
        {"0x76 short", {0x76, 0, 1}, "0x76"},
        {"0xA1 short", {0xA1, 0, 0, 0, 0x20, 0}, "0xA1"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = WorldPicture();
        const size_t logBefore = ReportLog().size();
        Dispatch(c.message);
        EXPECT_NE(ReportLog().find(c.logged, logBefore), std::string::npos);
        EXPECT_EQ(WorldPicture(), before);
    }
    EXPECT_EQ(pPlayerObject->GetSerial(), kPlayerSerial);
}

// Every cut of a whole message of each handler: no read past the end, and
// nothing but log lines when it is dropped.
TEST_F(HostileMessageTest, EveryCutOfEveryMessageIsReadWithinItsBytes) {
    Msg corpse(0x89);
    corpse.u32(kCorpse).u8(3).u32(kShirtItem).u8(0);
    const std::vector<std::vector<M_BYTE>> whole = {
        Msg(0x1A)
            .u32(kItem | 40 | 0x80000000)
            .u16(kShirt | 0x8000)
            .u8(1)
            .u16(4)
            .u16(0x8000 | 5)
            .u16(0xC000 | 6)
            .u8(1)
            .u8(2)
            .u16(3)
            .u8(4),
        Msg(0x78)
            .u32(kMobile)
            .u16(kHuman)
            .u16(101)
            .u16(100)
            .u8(0)
            .u8(0)
            .u16(0)
            .u8(0)
            .u8(0)
            .u32(kItem | 41)
            .u16(kShirt | 0x8000)
            .u8(4)
            .u16(7)
            .u32(0),
        corpse,
        Msg(0x11)
            .u32(kMobile)
            .text("Zed", 30)
            .u16(1)
            .u16(2)
            .u8(1)
            .u8(1)
            .u8(0)
            .u16(1)
            .u16(2)
            .u16(3)
            .u16(4)
            .u16(5)
            .u16(6)
            .u16(7)
            .u32(8)
            .u16(9)
            .u16(10),
        Msg(0x3A).u8(254).u16(2).u8(0).u8(4).text("abc", 4).u8(1).u8(3).text("de", 3),
        Msg(0xBF).u16(3).text("a@b", 32).text("n", 32).text("s", 32).text("b", 128),
        Msg(0x3F).u32(0).u32(1).u32(0).raw(std::vector<M_BYTE>(7)),
    };
    for (const std::vector<M_BYTE>& message : whole) {
        for (size_t cut = 1; cut < message.size(); ++cut) {
            std::vector<M_BYTE> part(message.begin(), message.begin() + cut);
            if (cut >= 3 && IsVariablePacket(part[0])) {
                part[1] = static_cast<M_BYTE>(cut >> 8);
                part[2] = static_cast<M_BYTE>(cut);
            }
            // An exact-size copy, so that a read past it is caught.
            std::vector<M_BYTE> exact(part);
            Dispatch(exact);
        }
        Dispatch(message);
    }
    WorldPicture();
}

TEST_F(HostileMessageTest, ATileDataFileThatCannotBeWrittenStillUpdatesTheTables) {
    tw::datafiles::TileData fresh;
    fresh.items[512 * 0 + 40].flags = TILE_CONTAINER;
    const std::vector<M_BYTE> group = fresh.itemGroup(1);
    // Big-endian numbers on the wire: the message is made from the file form.
    Msg m(0x41);
    m.u32(513).u32(0);
    for (int i = 0; i < 32; ++i) {
        const tw::datafiles::ItemTile& t = fresh.items[32 + i];
        m.u32(t.flags)
            .u8(t.fieldA)
            .u8(t.fieldB)
            .u32(t.field32)
            .u16(t.fieldC)
            .u16(t.fieldD)
            .u16(t.light)
            .u8(t.height)
            .text(t.name, 20);
    }
    (void)group;
    remove("tiledata.mul");
    ASSERT_EQ(mkdir("tiledata.mul", 0755), 0);
    Dispatch(m);
    EXPECT_TRUE(CObjectManager::IsContainerTile(40));
    EXPECT_NE(ReportLog().find("cannot open 'tiledata.mul'"), std::string::npos);
}

}  // namespace
