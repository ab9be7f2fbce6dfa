#include "CommTestSupport.h"

#include <algorithm>
#include <optional>

#include "app/App.h"
#include "app/AppServices.h"
#include "comm/BarkGump.h"
#include "comm/Journal.h"
#include "comm/UnicodeSpeech.h"
#include "config/Config.h"
#include "gumps/TextManager.h"
#include "net/PacketManager.h"
#include "net/PacketTable.h"
#include "resources/FontManager.h"
#include "resources/GraphicManager.h"
#include "resources/HueManager.h"
#include "support/datafiles/DataFiles.h"

namespace tw::test {

void CommTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        AddServiceReset(Journal::reset);
        AddServiceReset(ResetConfigForTests);
        AddServiceReset(CApp::reset);
        AddServiceReset(FontManager::reset);
        AddServiceReset(HueManager::reset);
        AddServiceReset(PacketManager::reset);
        AddServiceReset(ResetUnicodeSpeechForTests);
        AddServiceReset([] {
            CBarkGump::systemHead = nullptr;
            GraphicManager::deathCounter = 0;
        });
    }
    GumpTest::SetUp();
    InstallGumpArt(Art());
    std::vector<std::optional<datafiles::BitmapFont>> fonts(10);
    for (auto& font : fonts) font = datafiles::TextFont(0x7BDE);
    datafiles::WriteBytes("fonts.mul", datafiles::EncodeFonts(fonts));
    FontManager::startup();
    // Hues 0-63: ramps from dark to a light colour that differs per hue.
    std::vector<datafiles::HueRecord> hues;
    for (int i = 0; i < 64; ++i)
        hues.push_back(datafiles::RampHue(
            datafiles::Rgb555(8, 8, 8),
            datafiles::Rgb555(255 - i * 2, 120 + i * 2, 60 + (i * 37) % 190), "hue"));
    datafiles::WriteBytes("hues.mul", datafiles::EncodeHues(hues));
    HueManager::startup();
    GraphicManager::setGameplayWindowPixelWidthAndHeight(640, 480);
    app_ = std::make_unique<tw::ScopedService<AppSpeech>>(&ApplicationSpeech());
    TextManager::startup();
    g_pGameSocket = &connection;
}

// One picture, so that the gump art files are not empty.
std::vector<std::pair<int, datafiles::Image>> CommTest::Art() {
    return {{1, datafiles::Image(2, 2, 0x7FFF)}};
}

void CommTest::TearDown() {
    g_pGameSocket = nullptr;
    while (CGump* head = g_gumpList) delete head;
    app_.reset();
    GumpTest::TearDown();
}

std::vector<std::string> CommTest::JournalTexts() {
    std::vector<std::string> texts;
    for (JournalLine* line = Journal::head; line; line = line->next) {
        if (!line->wide) {
            texts.push_back(line->text);
            continue;
        }
        std::string narrow;
        for (M_WORD u : line->wideText)
            if (u) narrow.push_back(u < 128 ? static_cast<char>(u) : '?');
        texts.push_back(narrow);
    }
    return texts;
}

std::vector<std::vector<M_BYTE>> CommTest::Written() const {
    std::vector<std::vector<M_BYTE>> messages;
    const M_BYTE* b = connection.PendingOutput();
    const size_t total = connection.OutputLength();
    for (size_t at = 0; at < total;) {
        if (!IsKnownPacket(b[at])) break;
        size_t length = FixedPacketLength(b[at]);
        if (IsVariablePacket(b[at]))
            length = at + 3 <= total ? static_cast<size_t>(b[at + 1] << 8 | b[at + 2]) : 0;
        if (length == 0 || at + length > total) break;
        messages.emplace_back(b + at, b + at + length);
        at += length;
    }
    messages.erase(messages.begin(),
                   messages.begin() + static_cast<long>(std::min(seen_, messages.size())));
    return messages;
}

}  // namespace tw::test
