// Window-opening server messages.  Layouts (offsets from byte 0):
//   0xB0: 3 u32 serial, 7 u32 gump id, 11 u32 x, 15 u32 y, 19 u16 layout
//         length L, 21 L bytes of layout, u16 text count T, then T times
//         {u16 character count C, C big-endian u16}
//   0x9A: 3 u32 prompt serial, 7 u32 prompt id, 11 u32 (not read), then the
//         prompt text (not shown)
//   0x88: 1 u32 mobile serial, 5 char[60] title, 65 u8 flags
//   0x98: 3 u32 mobile serial (not read), 7 the name, NUL-terminated
//   0xA5: 3 the web page's address, to the end of the message
//   0xA6: 3 u8 kind (0 tip, 1 notice), 4 u32 number, 8 u16 text length X,
//         10 X bytes of text; carriage returns end paragraphs
// Every length and count is bounded by the bytes the message holds.
#include "comm/GumpMessages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DebugHooks.h"
#include "Platform.h"
#include "comm/TipsGump.h"
#include "config/Config.h"
#include "gumps/GenericGump.h"
#include "gumps/GumpHooks.h"
#include "gumps/GumpManager.h"
#include "net/PacketManager.h"
#include "net/ServerPrompt.h"
#include "resources/GraphicManager.h"
#include "resources/GumpArt.h"
#include "world/Obj.h"
#include "world/ObjectManager.h"

namespace {

// The position of a new gump: kept where a window can be.
int Coordinate(M_DWORD value) {
    return static_cast<int>(std::min<M_DWORD>(value, CGenericGump::MAX_EXTENT));
}

void HandlePrompt(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const M_DWORD id = r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    g_serverPrompt.pending = TRUE;
    g_serverPrompt.serial = serial;
    g_serverPrompt.id = id;
}

void HandlePaperdoll(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    char title[61] = {};
    r.bytes(title, 60);
    const int flags = r.u8();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    CDynamicObj* object = CObjectManager::FindObject(serial);
    if (!object || !object->IsMobile()) return;
    if (CGump* open = CGumpManager::FindGump(object, TRUE, FALSE, g_gumpList)) {
        if (open->minimized) CGump::Restore(open);
        CGump::BringToFront(open, 1);
        return;
    }
    const int art = object->IsPlayer() ? 10 : 11;
    int w = 0, h = 0;
    GetGumpArtSize(art, &w, &h);
    CGump* doll = tw::Service<GumpFactory>::Get().CreatePaperdollGump(
        GraphicManager::getGameplayWindowPixelWidth() - w, 0, nullptr, object, 1, w, h, title,
        flags);
    if (doll) doll->PutInGump(nullptr);
}

// No dialog asks for a mobile's name yet: the name is read and dropped.
void HandleMobileName(const PacketIn& packet) {
    ByteReader r = packet.fields();
    r.u32be();
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
}

void HandleWebPage(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const char* begin = reinterpret_cast<const char*>(r.here());
    const std::string address(begin, strnlen(begin, r.remaining()));
    BrowserLaunchHook(address.c_str());
    OpenWebBrowser();
}

void HandleTip(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const int kind = r.u8();
    const M_DWORD number = r.u32be();
    const M_WORD length = r.u16be();
    if (!r.ok() || !r.has(length)) return PacketManager::DropPacket(packet, "cut short");
    const std::string text(reinterpret_cast<const char*>(r.here()), length);
    // The numbers are kept as the configuration's integers.
    const int kept = static_cast<int>(std::min<M_DWORD>(number, 0x7FFFFFFF));
    char decimal[16];
    snprintf(decimal, sizeof decimal, "%d", kept);
    const bool staleNotice = kind == 1 && kept <= CurrentVer;
    if (!staleNotice) (new CTipsGump(100, 100, BreakTipText(text), kind == 0))->PutInGump(nullptr);
    if (kind == 0) {
        LastTip = kept;
        saveConfigDirective(52, decimal);
    } else if (kind == 1) {
        CurrentVer = kept;
        saveConfigDirective(53, decimal);
    }
}

}  // namespace

void HandleGenericGump(const PacketIn& packet) {
    ByteReader r = packet.fields();
    const M_DWORD serial = r.u32be();
    const M_DWORD gumpId = r.u32be();
    const M_DWORD x = r.u32be();
    const M_DWORD y = r.u32be();
    const M_WORD layoutLength = r.u16be();
    if (!r.ok() || !r.has(layoutLength)) return PacketManager::DropPacket(packet, "cut short");
    // The layout is not terminated inside its length: parse a copy.
    std::string layout(reinterpret_cast<const char*>(r.here()), layoutLength);
    r.skip(layoutLength);
    const M_WORD count = r.u16be();
    std::vector<std::vector<M_WORD>> texts;
    for (M_WORD i = 0; i < count && r.ok(); ++i) {
        const M_WORD n = r.u16be();
        if (!r.has(2 * static_cast<size_t>(n))) {
            r.fail();
            break;
        }
        std::vector<M_WORD> text(n + 1, 0);
        for (M_WORD k = 0; k < n; ++k) text[k] = r.u16be();
        texts.push_back(std::move(text));
    }
    if (!r.ok()) return PacketManager::DropPacket(packet, "cut short");
    std::vector<const M_WORD*> lines;
    for (const auto& text : texts) lines.push_back(text.data());
    new CGenericGump(Coordinate(x), Coordinate(y), layout.c_str(),
                     lines.empty() ? nullptr : lines.data(), static_cast<int>(lines.size()), serial,
                     gumpId);
}

void InstallGumpMessageHandlers() {
    PacketManager::SetHandler(0xB0, HandleGenericGump);
    PacketManager::SetHandler(0x9A, HandlePrompt);
    PacketManager::SetHandler(0x88, HandlePaperdoll);
    PacketManager::SetHandler(0x98, HandleMobileName);
    PacketManager::SetHandler(0xA5, HandleWebPage);
    PacketManager::SetHandler(0xA6, HandleTip);
}
