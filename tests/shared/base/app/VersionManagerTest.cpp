#include "AppTestSupport.h"
#include "app/SongList.h"
#include "app/VersionManager.h"

namespace {

class VersionManagerTest : public tw::test::AppTest {};

TEST_F(VersionManagerTest, LayoutTableHoldsRunningStartOffsets) {
    CVersionManager::startup();
    const M_DWORD starts[] = {299592, 365128, 366152, 368200, 368328,
                              376520, 376570, 380666, 380666, 380666};
    for (int i = 0; i < CVersionManager::LAYOUT_ENTRIES; ++i)
        EXPECT_EQ(CVersionManager::layoutStart[i], starts[i]) << i;
    EXPECT_EQ(CVersionManager::layoutSize[6], 50u);
    EXPECT_NE(ReportLog().find("CVersionManager::startup: begin."), std::string::npos);
}

TEST_F(VersionManagerTest, ShowVersionShowsTheVersionText) {
    CVersionManager::ShowVersion();
    ASSERT_EQ(gumps.text.systemMessages.size(), 1u);
    const auto& m = gumps.text.systemMessages[0];
    EXPECT_EQ(m.text, "TW Version 1.26.1 Test_01.");
    EXPECT_EQ(m.hue, 0);
    EXPECT_EQ(m.font, 3);
}

TEST_F(VersionManagerTest, SongListCyclesAndKeepsItsBounds) {
    CSongList songs;
    EXPECT_EQ(songs.GetNextSong(), -1);
    EXPECT_EQ(songs.GetCurrentSong(), -1);
    songs.AddSong(10);
    songs.AddSong(20);
    songs.AddSong(30);
    EXPECT_EQ(songs.GetCurrentSong(), 10);
    EXPECT_EQ(songs.GetNextSong(), 20);
    EXPECT_EQ(songs.GetNextSong(), 30);
    EXPECT_EQ(songs.GetNextSong(), 10);
    EXPECT_EQ(songs.GetNextSong(), 20);

    CSongList full;
    for (int i = 0; i < 40; ++i) full.AddSong(i);
    EXPECT_EQ(full.numSongs, CSongList::MAX_SONGS);
    for (int i = 0; i < CSongList::MAX_SONGS; ++i) full.GetNextSong();
    EXPECT_EQ(full.GetCurrentSong(), 0);
}

}  // namespace
