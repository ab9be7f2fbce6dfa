// The sound manager: channel choice, the ambient cross-fade and the master
// volume on their own, and the mix through the real OSS path: the ALSA OSS
// emulation writes what the device gets to a file that the test reads.
#include <cstdio>
#include <cstring>
#include <functional>

#include "FileManager.h"
#include "OssSound.h"
#include "Service.h"
#include "SoundManager.h"
#include "app/App.h"
#include "config/Config.h"
#include "resources/DHDCache.h"
#include "support/OssEmulation.h"
#include "support/TwTest.h"
#include "support/datafiles/DataFiles.h"
#include "support/doubles/ScriptedRandom.h"
#include "support/doubles/WorldServices.h"
#include "world/Coords.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"

namespace {

using tw::test::OssEmulation;
using tw::test::OssRun;

const bool registered = [] {
    tw::test::AddServiceReset(OssSound::reset);
    tw::test::AddServiceReset([] {
        CObjectManager::reset();
        CDHDCache::reset();
        ResetConfigForTests();
    });
    return true;
}();

// The sounds come from the real data-file cache over a small maximum
// install whose sound pair each test fills; the player's position from the
// real world model.
class SoundTest : public tw::test::TwTest {
protected:
    void SetUp() override {
        tw::test::TwTest::SetUp();
        using namespace tw::datafiles;
        for (int i = 0; i < CDHDCache::NUM_FILES; ++i)
            WriteBytes(CDHDCache::GetFileName(i), Bytes(i == FN_MAP0 ? 196 : 12, 0xFF));
        // The data file must have a byte to be mapped.
        sounds_.appendData(Bytes(1, 0));
        sounds_.reserve(1);
        sounds_.write("soundidx.mul", "sound.mul");
        hdConfig = MaxHD;
        CacheSize = 1;
        FileManager::startup();
        CDHDCache::startup();
        CDHDCache::Init();
        OssSound::startup();
    }
    static std::vector<short> Samples(int count, short value) {
        return std::vector<short>(static_cast<size_t>(count), value);
    }
    // A sound record: the 40-byte header and then the samples as 16-bit
    // little-endian values.
    void AddSound(int id, const std::vector<short>& samples) {
        sounds_.add(id, tw::datafiles::EncodeSound("", {samples.begin(), samples.end()}));
        Rewrite();
    }
    // An index entry alone, for entries whose data must not matter.
    void AddSoundIndex(int id, int offset, int length) {
        sounds_.setRecord(id, tw::datafiles::IndexRecord{offset, length, 0});
        Rewrite();
    }
    // The player at a position.
    void SetPlayerCoords(Coords where) {
        pPlayerObject = new CPlayer(1);
        pPlayerObject->locX = where.x;
        pPlayerObject->locY = where.y;
        pPlayerObject->z = where.z;
    }

    tw::doubles::WorldServices world;
    tw::doubles::ScriptedRandom dice;

private:
    void Rewrite() {
        for (FileNumber file : {FN_SOUNDIDX, FN_SOUND}) {
            CDHDCache::FlushFile(file);
            CDHDCache::UnmapFile(file);
        }
        sounds_.write("soundidx.mul", "sound.mul");
        for (FileNumber file : {FN_SOUNDIDX, FN_SOUND}) CDHDCache::RemapFile(file);
    }

    tw::datafiles::IndexedPair sounds_;
};

TEST_F(SoundTest, TheGameCodeReachesTheDeviceThroughTheInstalledService) {
    tw::ScopedService<SoundService> installed(&OssSound::Service());
    AddSound(5, Samples(100, 1));
    AddSound(6, Samples(100, 1));
    EXPECT_EQ(SoundManager::PlaySound(5, 0, 0), 0);
    EXPECT_EQ(SoundManager::PlayPositional(6, 10, 10, 0, 1.0f, TRUE), 1);
    EXPECT_EQ(OssSound::Channel(0).soundId, 5);
    EXPECT_TRUE(OssSound::Channel(1).loop);
    SoundManager::Enable(FALSE);
    EXPECT_EQ(SoundManager::PlaySoundIfEnabled(5, 0, 0), -1);
}

TEST_F(SoundTest, SameIdWithoutRestartKeepsItsChannel) {
    AddSound(5, Samples(100, 1));
    AddSound(6, Samples(100, 1));
    EXPECT_EQ(OssSound::PlaySound(5, 0, 0), 0);
    EXPECT_EQ(OssSound::PlaySound(6, 0, 0), 1);
    EXPECT_EQ(OssSound::PlaySound(5, 0, 0), 0);
    EXPECT_EQ(OssSound::PlaySound(5, 0, 0, FALSE, 0, TRUE), 2);  // restart: a new channel
}

TEST_F(SoundTest, FullChannelsGiveWayToTheQuietestTheLaterAmongEquals) {
    const int volumes[8] = {0, -100, -900, -300, -900, -50, -10, 0};
    for (int i = 0; i < 8; ++i) {
        AddSound(10 + i, Samples(100, 1));
        ASSERT_EQ(OssSound::PlaySound(10 + i, 0, volumes[i]), i);
    }
    AddSound(30, Samples(100, 1));
    EXPECT_EQ(OssSound::PlaySound(30, 0, 0), 4);
    EXPECT_EQ(OssSound::Channel(4).soundId, 30);
    AddSound(31, Samples(100, 1));
    EXPECT_EQ(OssSound::PlaySound(31, 0, 0), 2);
}

TEST_F(SoundTest, RefusesMissingShortAndOutOfRangeSounds) {
    AddSoundIndex(1, 0, 40);    // header only
    AddSoundIndex(2, -1, 500);  // no such sound
    AddSound(3, {});
    struct {
        int id;
        const char* what;
    } cases[] = {{1, "40 bytes"}, {2, "offset -1"},    {3, "empty record"},
                 {4, "no entry"}, {-1, "negative id"}, {OssSound::NumSndFx, "id past the table"}};
    for (const auto& c : cases) EXPECT_EQ(OssSound::PlaySound(c.id, 0, 0), -1) << c.what;
    for (int i = 0; i < OssSound::kChannels; ++i) EXPECT_FALSE(OssSound::Channel(i).Busy());
}

TEST_F(SoundTest, DisabledSoundStartsNothing) {
    AddSound(5, Samples(100, 1));
    OssSound::Enable(FALSE);
    EXPECT_EQ(OssSound::PlaySound(5, 0, 0), -1);
    EXPECT_EQ(OssSound::PlaySoundIfEnabled(5, 0, 0), -1);
}

TEST_F(SoundTest, RandomDrawsTwoNumbers) {
    AddSound(5, Samples(100, 1));
    OssSound::PlaySound(5, 0, 0, FALSE, 1);
    EXPECT_EQ(dice.calls, 2);
}

TEST_F(SoundTest, MasterVolumeDoesNotCompound) {
    AddSound(5, Samples(100, 1));
    int channel = OssSound::PlaySound(5, 0, -1000);
    OssSound::SetVolume(51);  // factor 0.2
    const int once = OssSound::Channel(channel).volume;
    OssSound::SetVolume(51);
    OssSound::SetVolume(51);
    EXPECT_EQ(OssSound::Channel(channel).volume, once);
    EXPECT_EQ(once, static_cast<int>(-2500 + 51 / 255.0f * 1500.0f));
    OssSound::SetVolume(255);
    EXPECT_EQ(OssSound::Channel(channel).volume, -1000);
}

TEST_F(SoundTest, PositionalSoundsPanAndFadeByDistance) {
    SetPlayerCoords(Coords(100, 100, 0));
    struct {
        short x, y;
        BOOL reverse;
        int pan, volume;
    } cases[] = {
        {100, 100, FALSE, 0, 0},          // on the player
        {109, 100, FALSE, 625, -1250},    // 9 cells east: half distance, dx 9
        {100, 109, FALSE, -625, -1250},   // south: screen left
        {136, 100, FALSE, 2500, -2500},   // far: clamped both ways
        {109, 100, TRUE, -625, -1250},    // speakers swapped
        {5200, 100, FALSE, 2500, -2500},  // another facet
    };
    int id = 100;
    for (const auto& c : cases) {
        AddSound(id, Samples(100, 1));
        ReverseSpeakers = c.reverse;
        int channel = OssSound::PlayPositional(id, c.x, c.y, 0, 1.0f);
        ASSERT_GE(channel, 0);
        EXPECT_EQ(OssSound::Channel(channel).pan, c.pan) << c.x << "," << c.y;
        EXPECT_EQ(OssSound::Channel(channel).volume, c.volume) << c.x << "," << c.y;
        OssSound::reset();
        OssSound::startup();
        ++id;
    }
}

TEST_F(SoundTest, AmbientFadesInAndTheOldOneFadesOutAndIsFreed) {
    AddSound(7, Samples(100, 1));
    AddSound(8, Samples(100, 1));
    OssSound::SetAmbient(7);
    const int first = OssSound::CurrentAmbient().channel;
    ASSERT_GE(first, 0);
    EXPECT_TRUE(OssSound::Channel(first).loop);
    for (int i = 0; i < 20; ++i) OssSound::Update();
    EXPECT_EQ(OssSound::CurrentAmbient().level, -2200);
    EXPECT_EQ(OssSound::Channel(first).volume, -2200);

    OssSound::SetAmbient(8);
    EXPECT_EQ(OssSound::FadingAmbient().id, 7);
    EXPECT_EQ(OssSound::FadingAmbient().channel, first);
    for (int i = 0; i < 14; ++i) OssSound::Update();
    EXPECT_TRUE(OssSound::Channel(first).Busy());
    OssSound::Update();  // the fifteenth step reaches -2500
    EXPECT_FALSE(OssSound::Channel(first).Busy());
    EXPECT_EQ(OssSound::FadingAmbient().id, 0);
    EXPECT_EQ(OssSound::FadingAmbient().channel, -1);
}

TEST_F(SoundTest, SwitchingBackWithinTheFadeSwapsWithoutRestarting) {
    AddSound(7, Samples(100, 1));
    AddSound(8, Samples(100, 1));
    OssSound::SetAmbient(7);
    const int channel7 = OssSound::CurrentAmbient().channel;
    OssSound::SetAmbient(8);
    const int channel8 = OssSound::CurrentAmbient().channel;
    OssSound::SetAmbient(7);
    EXPECT_EQ(OssSound::CurrentAmbient().id, 7);
    EXPECT_EQ(OssSound::CurrentAmbient().channel, channel7);
    EXPECT_EQ(OssSound::FadingAmbient().id, 8);
    EXPECT_EQ(OssSound::FadingAmbient().channel, channel8);
}

TEST_F(SoundTest, ReplacedFadingAmbientAndTakenChannelsDropTheirReferences) {
    AddSound(7, Samples(100, 1));
    AddSound(8, Samples(100, 1));
    AddSound(9, Samples(100, 1));
    OssSound::SetAmbient(7);
    const int channel7 = OssSound::CurrentAmbient().channel;
    OssSound::SetAmbient(8);
    OssSound::SetAmbient(9);  // 7 was fading: its looping channel stops
    for (int i = 0; i < OssSound::kChannels; ++i)
        EXPECT_NE(OssSound::Channel(i).soundId, 7) << "channel " << i;
    EXPECT_EQ(OssSound::CurrentAmbient().channel, channel7);  // free again, so reused
    EXPECT_EQ(OssSound::FadingAmbient().id, 8);

    // Fill every channel: the quiet ambients are taken over first.
    for (int id = 20; id < 28; ++id) {
        AddSound(id, Samples(100, 1));
        OssSound::PlaySound(id, 0, 0);
    }
    EXPECT_EQ(OssSound::CurrentAmbient().channel, -1);
    EXPECT_EQ(OssSound::CurrentAmbient().id, 9);
    EXPECT_EQ(OssSound::FadingAmbient().channel, -1);
    for (int i = 0; i < 30; ++i) OssSound::Update();  // no channel: nothing to touch
}

TEST_F(SoundTest, WithoutADeviceTheClientRunsSilent) {
    if (access("/dev/dsp", F_OK) == 0) GTEST_SKIP() << "this machine has a sound device";
    AddSound(5, Samples(100, 1));
    tw::test::StderrCapture err;
    OssSound::OpenIfEnabled();
    EXPECT_FALSE(OssSound::DeviceOpen());
    EXPECT_NE(err.text().find("/dev/dsp open"), std::string::npos);
    EXPECT_EQ(OssSound::PlaySound(5, 0, 0), 0);  // channels are still handed out
    OssSound::Update();
}

TEST_F(SoundTest, NameIndexHashesBytesUnsigned) {
    EXPECT_EQ(SoundNameHash(""), 0);
    EXPECT_EQ(SoundNameHash("\xff"), 255);
    EXPECT_EQ(SoundNameHash("\xff\xff"), (255 + 64 * 255) % 293);
    EXPECT_EQ(OssSound::LookupSoundName("aaaenvir_d_jung01"), 3);
    EXPECT_EQ(OssSound::LookupSoundName("monster_lava_lizard_5"), 653);
    EXPECT_EQ(OssSound::LookupSoundName("\xe9t\xe9"), 0);
}

// Frames (left, right) of the 16-bit capture.
std::vector<std::pair<int, int>> Frames16(const std::string& capture) {
    std::vector<std::pair<int, int>> frames;
    for (size_t i = 0; i + 4 <= capture.size(); i += 4) {
        auto at = [&](size_t k) {
            return static_cast<short>(static_cast<unsigned char>(capture[k]) |
                                      (static_cast<unsigned char>(capture[k + 1]) << 8));
        };
        frames.emplace_back(at(i), at(i + 2));
    }
    return frames;
}

// Two sounds at once: one panned half left, one fully right, loud enough
// to saturate where they add up.
using AddSoundFunction = std::function<void(int, const std::vector<short>&)>;
void PlayPannedPair(const AddSoundFunction& addSound) {
    addSound(1, {1000, -1000, 30000, 20000});
    addSound(2, {500, 500, 30000, -30000});
    OssSound::OpenDevice();
    ASSERT_TRUE(OssSound::DeviceOpen());
    ASSERT_GT(OssSound::FramesPerFragment(), 4);
    ASSERT_EQ(OssSound::PlaySound(1, -1250, 0), 0);
    ASSERT_EQ(OssSound::PlaySound(2, 2500, 0), 1);
    OssSound::Update();
    OssSound::Update();
    EXPECT_FALSE(OssSound::Channel(0).Busy());  // both ended within the fragment
    EXPECT_FALSE(OssSound::Channel(1).Busy());
    OssSound::CloseDevice();
}

TEST_F(SoundTest, MixesPannedSaturatedSamplesToTheDevice) {
    if (OssEmulation::InChild()) {
        PlayPannedPair([this](int id, const std::vector<short>& s) { AddSound(id, s); });
        return;
    }
    OssRun run = OssEmulation::RunChild();
    ASSERT_EQ(run.status, 0) << run.output;
    auto frames = Frames16(run.capture);
    ASSERT_GE(frames.size(), 8u) << run.output;
    const std::pair<int, int> expected[] = {
        {1000, 500 + 500}, {-1000, -500 + 500}, {30000, 32767}, {20000, 10000 - 30000}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(frames[static_cast<size_t>(i)], expected[i]) << i;
    for (size_t i = 4; i < frames.size(); ++i)
        ASSERT_EQ(frames[i], std::make_pair(0, 0)) << "frame " << i;
}

TEST_F(SoundTest, EightBitOutputIsUnsignedAroundSilence128) {
    if (OssEmulation::InChild()) {
        Sound8Bit = TRUE;
        OssSound::startup();
        PlayPannedPair([this](int id, const std::vector<short>& s) { AddSound(id, s); });
        EXPECT_TRUE(OssSound::EightBit());
        return;
    }
    OssRun run = OssEmulation::RunChild();
    ASSERT_EQ(run.status, 0) << run.output;
    ASSERT_GE(run.capture.size(), 16u) << run.output;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(run.capture.data());
    // Each side adds its upper byte: 1000>>8 = 3, 500>>8 = 1, -1000>>8 = -4, ...
    const int expected[] = {131, 130, 124, 127, 245, 255, 206, 49};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
    for (size_t i = 8; i < run.capture.size(); ++i) ASSERT_EQ(bytes[i], 128) << "byte " << i;
}

TEST_F(SoundTest, SwitchingSoundBackOnReopensTheDeviceAndRestartsTheAmbient) {
    if (OssEmulation::InChild()) {
        AddSound(7, {100, 200, 300});
        OssSound::OpenDevice();
        OssSound::SetAmbient(7);
        ASSERT_GE(OssSound::CurrentAmbient().channel, 0);
        OssSound::Enable(FALSE);
        EXPECT_FALSE(OssSound::DeviceOpen());
        EXPECT_EQ(OssSound::CurrentAmbient().id, 7);
        EXPECT_EQ(OssSound::CurrentAmbient().channel, -1);
        OssSound::Update();  // switched off: writes nothing

        OssSound::Enable(TRUE);
        ASSERT_TRUE(OssSound::DeviceOpen());
        const int channel = OssSound::CurrentAmbient().channel;
        ASSERT_GE(channel, 0);
        EXPECT_EQ(OssSound::Channel(channel).soundId, 7);
        EXPECT_TRUE(OssSound::Channel(channel).loop);
        EXPECT_EQ(OssSound::Channel(channel).volume, -2500) << "restarted at its level";
        OssSound::Update();
        OssSound::CloseDevice();
        return;
    }
    OssRun run = OssEmulation::RunChild();
    ASSERT_EQ(run.status, 0) << run.output;
    // Only the reopened device was written to, and it got the ambient loop.
    auto frames = Frames16(run.capture);
    ASSERT_GE(frames.size(), 64u) << run.output;
    for (size_t i = 0; i < frames.size(); ++i) {
        const int sample = 100 * static_cast<int>(i % 3 + 1);
        ASSERT_EQ(frames[i], std::make_pair(sample, sample)) << "frame " << i;
    }
}

TEST_F(SoundTest, LoopingSoundPlaysOnAndCdInstallMixesSilence) {
    if (OssEmulation::InChild()) {
        AddSound(1, {100, 200, 300});
        OssSound::OpenDevice();
        ASSERT_EQ(OssSound::PlaySound(1, 0, 0, TRUE), 0);
        OssSound::Update();
        EXPECT_TRUE(OssSound::Channel(0).Busy());
        hdConfig = CDInstall;
        OssSound::Update();
        OssSound::CloseDevice();
        return;
    }
    OssRun run = OssEmulation::RunChild();
    ASSERT_EQ(run.status, 0) << run.output;
    auto frames = Frames16(run.capture);
    ASSERT_GE(frames.size(), 12u);
    // The first Update fills at least one fragment with the loop; what
    // follows from the second (a CD install) is silence.
    size_t loud = 0;
    while (loud < frames.size() && frames[loud].first != 0) ++loud;
    ASSERT_GE(loud, 6u);
    ASSERT_EQ(loud % 64, 0u) << "the loop ends only where a fragment ends";
    for (size_t i = 0; i < loud; ++i)
        ASSERT_EQ(frames[i].first, 100 * static_cast<int>(i % 3 + 1)) << "frame " << i;
    for (size_t i = loud; i < frames.size(); ++i) ASSERT_EQ(frames[i].first, 0) << "frame " << i;
}

}  // namespace
