#include <functional>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "net/PacketManager.h"
#include "support/TwTest.h"

namespace {

using Bytes = std::vector<M_BYTE>;

class PacketTest : public tw::test::TwTest {};

// The bytes that go on the wire for a built packet.
Bytes wire(PDSTRUCT& p) {
    size_t n = PacketManager::SealPacket(&p);
    return Bytes(p.data, p.data + n);
}

TEST_F(PacketTest, TableRowsAreIndexedByIdAndFixedLengthsFitBelowTheVariableBit) {
    for (int id = 0; id < kPacketTableSize; ++id) {
        EXPECT_EQ(PacketTable[id].pktType, static_cast<M_DWORD>(id));
        M_DWORD len = PacketTable[id].length;
        EXPECT_TRUE(len == kVariable || (len >= 1 && len < kVariable)) << id;
    }
    EXPECT_EQ(FixedPacketLength(0x33), 2u);
    for (int id : {0x16, 0x29, 0x31, 0x55, 0x64}) EXPECT_EQ(FixedPacketLength(id), 1u) << id;
    EXPECT_EQ(PacketHeaderSize(0x1C), 3u);
    EXPECT_EQ(PacketHeaderSize(0x1B), 1u);
    EXPECT_FALSE(IsKnownPacket(0xC2));
    EXPECT_TRUE(IsKnownPacket(0xC1));
}

TEST_F(PacketTest, FieldsStartAfterTheHeaderAndReadsOutsideThePacketFail) {
    // Variable packet 0x1C: header 3, fields after it.
    const M_BYTE var[] = {0x1C, 0x00, 0x0A, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE};
    ByteReader in = PacketIn(var, sizeof var).fields();
    EXPECT_EQ(in.u8(), 0x12);
    EXPECT_EQ(in.u16be(), 0x3456);
    EXPECT_EQ(in.u32be(), 0x789ABCDEu);
    EXPECT_EQ(in.offset(), 7u);
    EXPECT_TRUE(in.ok());
    // Nothing is left: every read fails and yields 0.
    EXPECT_EQ(in.u8(), 0);
    EXPECT_EQ(in.u32be(), 0u);
    EXPECT_FALSE(in.ok());
    ByteReader from1 = PacketIn(var, sizeof var).fields();
    from1.skip(1);
    ByteReader copy = from1;
    EXPECT_EQ(copy.view(7), nullptr);
    EXPECT_EQ(from1.view(6), var + 4);

    // Fixed packet 0x1D (length 5): header 1.  A bare variable header has no fields.
    const M_BYTE fixed[] = {0x1D, 0xAA, 0xBB, 0xCC, 0xDD};
    EXPECT_EQ(PacketIn(fixed, 5).fields().u32be(), 0xAABBCCDDu);
    const M_BYTE bare[] = {0x1C, 0x00, 0x03};
    ByteReader none = PacketIn(bare, 3).fields();
    EXPECT_EQ(none.u8(), 0);
    EXPECT_FALSE(none.ok());
    // A huge offset must not wrap around into the packet.
    ByteReader far = PacketIn(fixed, 5).fields();
    EXPECT_FALSE(far.seek(SIZE_MAX - 1));
    EXPECT_EQ(far.u8(), 0);
}

TEST_F(PacketTest, WritersKeepTheRunningLengthInEachPacket) {
    // Two fixed packets in progress at once do not disturb each other.
    PDSTRUCT a, b;
    PacketManager::BeginPacket(&a, 0x02);
    PacketManager::WriteU8(&a, 1);
    PacketManager::BeginPacket(&b, 0x05);
    PacketManager::WriteU32(&b, 0x01020304);
    PacketManager::WriteU8(&a, 2);
    PacketManager::WriteU32(&a, 0xA0B0C0D0);
    EXPECT_EQ(wire(a), (Bytes{0x02, 1, 2, 0xA0, 0xB0, 0xC0, 0xD0}));
    EXPECT_EQ(wire(b), (Bytes{0x05, 1, 2, 3, 4}));

    // A variable packet with only its header is 3 bytes long.
    PDSTRUCT v;
    PacketManager::BeginPacket(&v, 0xBD);
    EXPECT_EQ(wire(v), (Bytes{0xBD, 0x00, 0x03}));

    // A fixed packet always goes out at its table length; unwritten fields are zero.
    PDSTRUCT shortFixed;
    memset(shortFixed.data, 0xEE, 16);
    PacketManager::BeginPacket(&shortFixed, 0x13);
    PacketManager::WriteU8(&shortFixed, 7);
    EXPECT_EQ(wire(shortFixed), (Bytes{0x13, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(PacketTest, PacketsThatCannotBeSentAreRefused) {
    PDSTRUCT p;
    PacketManager::BeginPacket(&p, 0xC2);
    EXPECT_EQ(PacketManager::SealPacket(&p), 0u);
    EXPECT_NE(ReportLog().find("0xC2 has no table row"), std::string::npos);

    // A fixed packet written past its table length.
    PacketManager::BeginPacket(&p, 0x73);
    PacketManager::WriteU16(&p, 1);
    EXPECT_EQ(PacketManager::SealPacket(&p), 0u);

    PacketManager::BeginPacket(&p, 0x12);
    std::vector<char> huge(PDSTRUCT::kCapacity + 10, 'x');
    huge.back() = 0;
    PacketManager::WriteText(&p, huge.data());
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(PacketManager::SealPacket(&p), 0u);
    EXPECT_LE(p.length, PDSTRUCT::kCapacity);
}

struct BuilderCase {
    const char* name;
    std::function<void(PDSTRUCT*)> build;
    std::function<void(ByteWriter&)> expect;
};

TEST_F(PacketTest, EveryBuilderWritesItsExactLayout) {
    using PM = PacketManager;
    static const char bookLines[2][80] = {"first line", "second"};
    static const char names[2][30] = {"Alpha", "Beta"};
    static const M_DWORD values[2] = {7, 0x01020304};
    static const PacketBuyLine buy[2] = {{0x1A, 0x40000001, 3}, {0x1B, 0x40000002, 1}};
    static const PacketSellLine sell[1] = {{0x40000009, 12}};
    static const char* postLines[2] = {"hello", ""};
    const std::string longName(40, 'N');  // longer than its 30-byte field

    PDSTRUCT_CREATE_CHAR cc;
    cc.name = "Hero";
    cc.password = "pw";
    cc.sex = 0;
    cc.stats[0] = 30, cc.stats[1] = 20, cc.stats[2] = 10;
    cc.skills[0] = 1, cc.skillValues[0] = 50;
    cc.skills[1] = 2, cc.skillValues[1] = 30;
    cc.skills[2] = 3, cc.skillValues[2] = 20;
    for (int i = 0; i < 5; ++i) cc.colours[i] = static_cast<M_WORD>(0x101 * (i + 1));
    cc.hairStyle = 0x203B;
    cc.facialHairStyle = 0x204B;
    cc.shardIndex = 2;
    cc.startIndex = 5;
    cc.slot = 3;
    PDSTRUCT_CREATE_CHAR female = cc;
    female.sex = 1;

    auto createChar = [](ByteWriter& w, const PDSTRUCT_CREATE_CHAR& c, M_WORD facial) {
        w.u8(0x00).u32be(0xEDEDEDED).u16be(0xFFFF).u16be(0xFFFF).u8(0);
        w.fixedString(c.name, 30).fixedString(c.password, 30).u8(c.sex);
        w.u8(30).u8(20).u8(10).u8(1).u8(50).u8(2).u8(30).u8(3).u8(20);
        w.u16be(0x101).u16be(0x203B).u16be(0x202).u16be(facial).u16be(0x303);
        w.u8(2).u8(5).u32be(3).u32be(0x7F000001).u16be(0x505).u16be(0x404);
    };

    const std::vector<BuilderCase> cases = {
        {"CreateChar", [&](PDSTRUCT* p) { PM::BuildCreateChar(p, cc, 0x7F000001); },
         [&](ByteWriter& w) { createChar(w, cc, 0x204B); }},
        {"CreateChar female has no facial hair",
         [&](PDSTRUCT* p) { PM::BuildCreateChar(p, female, 0x7F000001); },
         [&](ByteWriter& w) { createChar(w, female, 0); }},
        {"01", [](PDSTRUCT* p) { PM::Build01(p); },
         [](ByteWriter& w) { w.u8(0x01).u32be(0xFFFFFFFF); }},
        {"MoveRequest", [](PDSTRUCT* p) { PM::BuildMoveRequest(p, 0x82, 9, 0xCAFEBABE); },
         [](ByteWriter& w) { w.u8(0x02).u8(0x82).u8(9).u32be(0xCAFEBABE); }},
        {"Talk", [](PDSTRUCT* p) { PM::BuildTalk(p, 0, 0x02B2, 3, "abcdef", 3); },
         [](ByteWriter& w) { w.u8(0x03).u16be(12).u8(0).u16be(0x02B2).u16be(3).raw("abc").u8(0); }},
        {"Attack", [](PDSTRUCT* p) { PM::BuildAttack(p, 0x11223344); },
         [](ByteWriter& w) { w.u8(0x05).u32be(0x11223344); }},
        {"UseObject", [](PDSTRUCT* p) { PM::BuildUseObject(p, 0x40000001); },
         [](ByteWriter& w) { w.u8(0x06).u32be(0x40000001); }},
        {"Pickup", [](PDSTRUCT* p) { PM::BuildPickup(p, 0x40000001, 500); },
         [](ByteWriter& w) { w.u8(0x07).u32be(0x40000001).u16be(500); }},
        {"Drop", [](PDSTRUCT* p) { PM::BuildDrop(p, 0x40000001, 1000, 2000, 0xF6, 0xFFFFFFFF); },
         [](ByteWriter& w) {
             w.u8(0x08).u32be(0x40000001).u16be(1000).u16be(2000).u8(0xF6).u32be(0xFFFFFFFF);
         }},
        {"Look", [](PDSTRUCT* p) { PM::BuildLook(p, 0x00000042); },
         [](ByteWriter& w) { w.u8(0x09).u32be(0x42); }},
        {"TextCommand", [](PDSTRUCT* p) { PM::BuildTextCommand(p, 0x24, "21 0"); },
         [](ByteWriter& w) { w.u8(0x12).u16be(9).u8(0x24).raw("21 0").u8(0); }},
        {"EquipRequest",
         [](PDSTRUCT* p) { PM::BuildEquipRequest(p, 0x40000005, 0x15, 0x00000100); },
         [](ByteWriter& w) { w.u8(0x13).u32be(0x40000005).u8(0x15).u32be(0x100); }},
        {"MoveAck", [](PDSTRUCT* p) { PM::BuildMoveAck(p); },
         [](ByteWriter& w) { w.u8(0x22).u8(0).u8(0); }},
        {"DeathMenu", [](PDSTRUCT* p) { PM::BuildDeathMenu(p, 2); },
         [](ByteWriter& w) { w.u8(0x2C).u8(2); }},
        {"StatusRequest", [](PDSTRUCT* p) { PM::BuildStatusRequest(p, 4, 0x0000ABCD); },
         [](ByteWriter& w) { w.u8(0x34).u32be(0xEDEDEDED).u8(4).u32be(0xABCD); }},
        {"Skills", [](PDSTRUCT* p) { PM::BuildSkills(p, 0x0102, 2); },
         [](ByteWriter& w) { w.u8(0x3A).u16be(6).u16be(0x0102).u8(2); }},
        {"BuyItems", [](PDSTRUCT* p) { PM::BuildBuyItems(p, 0x55, 2, buy, 2); },
         [](ByteWriter& w) {
             w.u8(0x3B).u16be(22).u32be(0x55).u8(2);
             w.u8(0x1A).u32be(0x40000001).u16be(3).u8(0x1B).u32be(0x40000002).u16be(1);
         }},
        {"BuyItems without lines stops after the flag",
         [](PDSTRUCT* p) { PM::BuildBuyItems(p, 0x55, 0, nullptr, 0); },
         [](ByteWriter& w) { w.u8(0x3B).u16be(8).u32be(0x55).u8(0); }},
        {"MapPlot", [](PDSTRUCT* p) { PM::BuildMapPlot(p, 0x40000077, 1, 3, 100, 200); },
         [](ByteWriter& w) { w.u8(0x56).u32be(0x40000077).u8(1).u8(3).u16be(100).u16be(200); }},
        {"PlayChar",
         [&](PDSTRUCT* p) { PM::BuildPlayChar(p, longName.c_str(), "pw", 2, 0x0A000001); },
         [&](ByteWriter& w) {
             w.u8(0x5D).u32be(0xEDEDEDED).fixedString(longName, 30).fixedString("pw", 30);
             w.u32be(2).u32be(0x0A000001);
         }},
        {"BookPages", [](PDSTRUCT* p) { PM::BuildBookPages(p, 0x40000010, 4); },
         [](ByteWriter& w) {
             w.u8(0x66).u16be(13).u32be(0x40000010).u16be(1).u16be(4).u16be(0xFFFF);
         }},
        {"BookPageText", [](PDSTRUCT* p) { PM::BuildBookPageText(p, 0x40000010, 4, bookLines, 2); },
         [](ByteWriter& w) {
             w.u8(0x66).u16be(13 + 11 + 7).u32be(0x40000010).u16be(1).u16be(4).u16be(2);
             w.raw("first line").u8(0).raw("second").u8(0);
         }},
        {"69 list", [](PDSTRUCT* p) { PM::Build69(p, 2, names, values, 2); },
         [](ByteWriter& w) {
             w.u8(0x69).u16be(3 + 2 + 10 + 9).u8(2).u8(2);
             w.raw("Alpha").u8(0).u32be(7).raw("Beta").u8(0).u32be(0x01020304);
         }},
        {"69 mode 0", [](PDSTRUCT* p) { PM::Build69(p, 0, names, values, 2); },
         [](ByteWriter& w) { w.u8(0x69).u16be(5).u8(0).u8(0); }},
        {"Target",
         [](PDSTRUCT* p) {
             PM::BuildTarget(p, 1, 0xDEAD0001, 2, 0x40000003, 10, 20, 0xFFF6, 0x0EED);
         },
         [](ByteWriter& w) {
             w.u8(0x6C).u8(1).u32be(0xDEAD0001).u8(2).u32be(0x40000003);
             w.u16be(10).u16be(20).u16be(0xFFF6).u16be(0x0EED);
         }},
        {"SecureTrade", [](PDSTRUCT* p) { PM::BuildSecureTrade(p, 2, 0x10, 1, 0); },
         [](ByteWriter& w) { w.u8(0x6F).u16be(17).u8(2).u32be(0x10).u32be(1).u32be(0).u8(0); }},
        {"Bboard", [](PDSTRUCT* p) { PM::BuildBboard(p, 3, 0x40000020, 0x40000021); },
         [](ByteWriter& w) { w.u8(0x71).u16be(12).u8(3).u32be(0x40000020).u32be(0x40000021); }},
        {"BboardPost",
         [](PDSTRUCT* p) { PM::BuildBboardPost(p, 5, 0, 0x40000021, "Subj", postLines, 2); },
         [](ByteWriter& w) {
             w.u8(0x71).u16be(3 + 9 + 6 + 1 + 7 + 2).u8(5).u32be(0).u32be(0x40000021);
             w.u8(5).raw("Subj").u8(0).u8(2).u8(6).raw("hello").u8(0).u8(1).u8(0);
         }},
        {"FightMode", [](PDSTRUCT* p) { PM::BuildFightMode(p, 1, 4, 0, 0); },
         [](ByteWriter& w) { w.u8(0x72).u8(1).u8(4).u8(0).u8(0); }},
        {"73", [](PDSTRUCT* p) { PM::Build73(p, 0); }, [](ByteWriter& w) { w.u8(0x73).u8(0); }},
        {"Rename", [&](PDSTRUCT* p) { PM::BuildRename(p, 0x100, longName.c_str()); },
         [&](ByteWriter& w) { w.u8(0x75).u32be(0x100).fixedString(longName, 30); }},
        {"PickerReply",
         [](PDSTRUCT* p) { PM::BuildPickerReply(p, 0x40000030, 7, 2, 0x0EED, 0x21); },
         [](ByteWriter& w) {
             w.u8(0x7D).u32be(0x40000030).u16be(7).u16be(2).u16be(0x0EED).u16be(0x21);
         }},
        {"AcctLogin", [](PDSTRUCT* p) { PM::BuildAcctLogin(p, "account", "secret", 0x5A); },
         [](ByteWriter& w) {
             w.u8(0x80).fixedString("account", 30).fixedString("secret", 30).u8(0x5A);
         }},
        {"DeleteChar", [](PDSTRUCT* p) { PM::BuildDeleteChar(p, "pw", 4, 0xC0A80001); },
         [](ByteWriter& w) { w.u8(0x83).fixedString("pw", 30).u32be(4).u32be(0xC0A80001); }},
        {"ChangePassword",
         [](PDSTRUCT* p) { PM::BuildChangePassword(p, "old", "new", 1, 0x01020304); },
         [](ByteWriter& w) {
             w.u8(0x84).fixedString("old", 30).fixedString("new", 30).u32be(1).u32be(0x01020304);
         }},
        {"GameLogin", [](PDSTRUCT* p) { PM::BuildGameLogin(p, 0xA1B2C3D4, "acct", "pw"); },
         [](ByteWriter& w) {
             w.u8(0x91).u32be(0xA1B2C3D4).fixedString("acct", 30).fixedString("pw", 30);
         }},
        {"BookHeader", [](PDSTRUCT* p) { PM::BuildBookHeader(p, 0x40000010, "A Title", "Me"); },
         [](ByteWriter& w) {
             w.u8(0x93).u32be(0x40000010).u8(0).u8(0).u16be(0);
             w.fixedString("A Title", 60).fixedString("Me", 30);
         }},
        {"HuePicker", [](PDSTRUCT* p) { PM::BuildHuePicker(p, 0x40000040, 0x0FAB, 0x0481); },
         [](ByteWriter& w) { w.u8(0x95).u32be(0x40000040).u16be(0x0FAB).u16be(0x0481); }},
        {"MobileName", [](PDSTRUCT* p) { PM::BuildMobileName(p, 0x00000123); },
         [](ByteWriter& w) { w.u8(0x98).u16be(7).u32be(0x123); }},
        {"9a", [](PDSTRUCT* p) { PM::Build9a(p, 0x40000050, 9, 1, "yes"); },
         [](ByteWriter& w) {
             w.u8(0x9A).u16be(19).u32be(0x40000050).u32be(9).u32be(1).raw("yes").u8(0);
         }},
        {"9b", [](PDSTRUCT* p) { PM::Build9b(p, 2, "help me"); },
         [](ByteWriter& w) { w.u8(0x9B).u8(2).fixedString("help me", 256); }},
        {"SellReply", [](PDSTRUCT* p) { PM::BuildSellReply(p, 0x66, sell, 1); },
         [](ByteWriter& w) {
             w.u8(0x9F).u16be(15).u32be(0x66).u16be(1).u32be(0x40000009).u16be(12);
         }},
        {"SellReply empty", [](PDSTRUCT* p) { PM::BuildSellReply(p, 0x66, nullptr, 0); },
         [](ByteWriter& w) { w.u8(0x9F).u16be(9).u32be(0x66).u16be(0); }},
        {"SelectServer", [](PDSTRUCT* p) { PM::BuildSelectServer(p, 3); },
         [](ByteWriter& w) { w.u8(0xA0).u16be(3); }},
        {"TipRequest", [](PDSTRUCT* p) { PM::BuildTipRequest(p, 12, 1); },
         [](ByteWriter& w) { w.u8(0xA7).u16be(12).u8(1); }},
        {"StringQueryReply",
         [](PDSTRUCT* p) { PM::BuildStringQueryReply(p, 0x40000060, 5, 1, "42"); },
         [](ByteWriter& w) {
             w.u8(0xAC).u16be(15).u32be(0x40000060).u16be(5).u8(1).u16be(3).raw("42").u8(0);
         }},
        {"HelpHoverRequest",
         [](PDSTRUCT* p) { PM::BuildHelpHoverRequest(p, 0x40000070, 1, "enu"); },
         [](ByteWriter& w) { w.u8(0xB6).u32be(0x40000070).u8(1).raw("enu"); }},
        {"ClientVersion", [](PDSTRUCT* p) { PM::BuildClientVersion(p, "1.26.1 Test_01"); },
         [](ByteWriter& w) { w.u8(0xBD).u16be(18).raw("1.26.1 Test_01").u8(0); }},
        {"Be", [](PDSTRUCT* p) { PM::BuildBe(p, 7, "1.26.1 Test_01"); },
         [](ByteWriter& w) { w.u8(0xBE).u16be(22).u32be(7).raw("1.26.1 Test_01").u8(0); }},
    };
    for (const BuilderCase& c : cases) {
        SCOPED_TRACE(c.name);
        PDSTRUCT p;
        c.build(&p);
        ByteWriter expected;
        c.expect(expected);
        EXPECT_EQ(wire(p), expected.bytes());
        if (!IsVariablePacket(p.id())) {
            EXPECT_EQ(p.length, FixedPacketLength(p.id()));
        }
    }
}

TEST_F(PacketTest, TextsWithAU8LengthAreCutToFit) {
    const std::string longSubject(400, 's');
    const char* lines[1] = {longSubject.c_str()};
    PDSTRUCT p;
    PacketManager::BuildBboardPost(&p, 5, 1, 2, longSubject.c_str(), lines, 1);
    Bytes w = wire(p);
    ASSERT_GT(w.size(), 12u);
    EXPECT_EQ(w[12], 254);  // subject length with its NUL
    EXPECT_EQ(w[12 + 254], 0);
    EXPECT_EQ(w[13 + 254], 1);  // line count
    EXPECT_EQ(w[14 + 254], 254);
    EXPECT_EQ(w.size(), 12u + 1 + 254 + 1 + 1 + 254);
}

TEST_F(PacketTest, DispatchConsumesMessagesWithoutHandlersAndReportsEachIdOnce) {
    const M_BYTE msg[] = {0x1D, 0, 0, 0, 1};
    PacketManager::Dispatch(PacketIn(msg, sizeof msg));
    PacketManager::Dispatch(PacketIn(msg, sizeof msg));
    const M_BYTE clientOnly[] = {0x34, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PacketManager::Dispatch(PacketIn(clientOnly, sizeof clientOnly));
    std::string log = ReportLog();
    const std::string line = "message 0x1D not handled yet";
    size_t first = log.find(line);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(line, first + 1), std::string::npos);
    EXPECT_EQ(log.find("0x34"), std::string::npos);
}

TEST_F(PacketTest, InstalledHandlersReceiveTheirMessagesUntilRemoved) {
    static int calls;
    calls = 0;
    PacketManager::SetHandler(0x1D, [](const PacketIn& packet) {
        if (packet.id() == 0x1D) ++calls;
    });
    const M_BYTE msg[] = {0x1D, 0, 0, 0, 1};
    PacketManager::Dispatch(PacketIn(msg, sizeof msg));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ReportLog().find("not handled yet"), std::string::npos);

    PacketManager::SetHandler(0x1D, nullptr);
    PacketManager::Dispatch(PacketIn(msg, sizeof msg));
    EXPECT_EQ(calls, 1);
    EXPECT_NE(ReportLog().find("message 0x1D not handled yet"), std::string::npos);
    // Ids without a row are ignored, not written past the table.
    PacketManager::SetHandler(0x1000, [](const PacketIn&) {});
    EXPECT_EQ(PacketManager::GetHandler(0x1000), nullptr);
}

}  // namespace
