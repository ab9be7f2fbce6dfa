// The shard list: its default-shard rule, the shard choice message and the
// sort buttons' orders.
#include <cstdio>
#include <cstring>

#include "config/Config.h"
#include "gumps/ButtonGump.h"
#include "gumps/ChoiceGump.h"
#include "world/Obj.h"
#include "gumps/GumpManager.h"
#include "gumps/MouseManager.h"
#include "login/FrontEnd.h"
#include "login/FrontEndSort.h"
#include "login/LoginRoad.h"
#include "net/ClientSock.h"
#include "net/PacketManager.h"
#include "net/ServerPing.h"

using login::g_road;

CShardChoiceGump* pShardGump = nullptr;

int CShardChoiceGump::GetShardId(int index) {
    if (index < 0 || index >= g_road.shardCount) return 0;
    return g_road.shards[index].id;
}

const char* CShardChoiceGump::GetShardName(int id) {
    for (int i = 0; i < g_road.shardCount; ++i)
        if (g_road.shards[i].id == id) return g_road.shards[i].hasName ? g_road.shards[i].name : nullptr;
    return nullptr;
}

int CShardChoiceGump::FindShard(int id) {
    for (int i = 0; i < g_road.shardCount; ++i)
        if (g_road.shards[i].hasName && g_road.shards[i].id == id) return i;
    return -1;
}

CShardChoiceGump::CShardChoiceGump() : CGump(0, 0, nullptr, nullptr, 1, 640, 480) {
    name = "ShardChoice gump";
    CGumpManager::SetActiveGump(this);
    defaultId = LastServerID;
    const int found = FindShard(defaultId);
    defaultId = found >= 0 ? g_road.shards[found].id : GetShardId(0);
    const char* shardName = GetShardName(defaultId);
    snprintf(selectedName, sizeof selectedName, "%s", shardName ? shardName : "");
    currentId = defaultId;

    NewFrameBlock(0, width, height);

    list = new CScrollChoiceGump(this, 3500, 150, 90, 400, 316, nullptr, TRUE, FALSE);
    list->closeOnRightClick = FALSE;
    list->PutInGump(nullptr);

    auto button = [this](int bx, int by, int up, int pressed, int hover, GumpCallback callback,
                         int tooltip) {
        auto* b = new CButtonGump(bx, by, this, CButtonGump::PUSH, CButtonGump::UP, callback, up,
                                  pressed, 0);
        b->hoverArt = hover;
        b->PutInGump(this);
        if (tooltip) b->tooltipId = tooltip;
        return b;
    };
    button(150, 390, 1417, 1417, 1417, nullptr, 0);
    defaultButton = button(160, 400, 5608, 5610, 5609, &CGump::PlayDefaultShard, 100015);
    auto label = [this](int lx, int ly, int w, const char* text) {
        auto* l = new CInputControlGump(lx, ly, this, w, 30, CInputControlGump::TEXT,
                                        CInputControlGump::MAX_TEXT, 9, 1153, FALSE, FALSE, 0);
        l->SetText(text);
        l->RedrawText();
        l->PutInGump(this);
        l->tooltipId = -1;
    };
    label(240, 418, 160, selectedName);
    arrow = button(610, 445, 5540, 5542, 5541, &CGump::PlaySelectedShard, 100019);
    back = button(586, 445, 5537, 5539, 5538, &CGump::ShardBackToMainMenu, 100018);
    label(230, 60, 300, "Select which shard to play on:");
}

CShardChoiceGump::~CShardChoiceGump() {
    if (pShardGump == this) pShardGump = nullptr;
    if (g_focusGump == this) CGumpManager::DeactivateGump();
    CScrollChoiceGump* closing = list;
    list = nullptr;
    if (closing && CGumpManager::IsGumpOpen(closing)) {
        // A chosen shard's list shows the wait for the server as it closes;
        // closed with its gump otherwise, it neither cancels nor waits.
        if (chosen) {
            delete closing;
            // The wait it opened is the front end's waiting gump, which the
            // server's next message closes.
            if (CGump* box = CGumpManager::modalGump; box && box->IsWaitingGump())
                CGumpManager::pWaitingGump = box;
            return;
        }
        const BOOL teardown = g_gumpTeardown;
        g_gumpTeardown = TRUE;
        delete closing;
        g_gumpTeardown = teardown;
    }
}

BOOL CShardChoiceGump::HitTest(int px, int py) {
    return px >= 0 && px < width + 200 && py >= 0 && py < height + 150;
}

void CShardChoiceGump::HandleLButtonUp(int, int) {
    MouseManager::SetCapture(nullptr);
}

int CShardChoiceGump::HandleKey(int code) {
    if (code == 13) {
        OnAccept();
        return 1;
    }
    return 0;
}

void CShardChoiceGump::PlayDefault() {
    if (GetShardName(defaultId)) SelectShard(defaultId);
}

void CShardChoiceGump::SelectShard(int id) {
    const char* shardName = GetShardName(id);
    snprintf(frontend::currentShardName, sizeof frontend::currentShardName, "%s",
             shardName ? shardName : "");
    LastServerID = id;
    char text[16];
    snprintf(text, sizeof text, "%d", id);
    saveConfigDirective(CFG_LastServerID, text);
    PDSTRUCT packet;
    PacketManager::BuildSelectServer(&packet, static_cast<M_WORD>(id));
    WriteToOpenGame(&packet, "CShardChoiceGump::SelectShard");
    tw::Service<FrontEndApp>::Get().SetChosenShard(id);
    if (list) list->cancelled = FALSE;
    chosen = TRUE;
    delete this;
}

void login::SortShardRows(CScrollChoiceGump* list, int key) {
    if (!list) return;
    const int n = g_road.shardCount;
    if (key == 2) {
        M_DWORD addresses[login::kMaxShards] = {};
        M_WORD results[login::kMaxShards] = {};
        for (int i = 0; i < n; ++i) addresses[i] = g_road.shards[i].address;
        PingServers(n, addresses, results);
        for (int i = 0; i < n; ++i) g_road.shards[i].ping = results[i];
    }
    int order[login::kMaxShards];
    login::OrderShards(g_road.shards, n, key, order);
    list->ClearChoices();
    list->count = 0;
    for (int i = 0; i < n; ++i) {
        const login::ShardEntry& s = g_road.shards[order[i]];
        list->AddChoice(s.id, s.hasName ? s.name : "Unknown Server", 0);
    }
    list->firstVisible = 0;
    list->RenderChoices();
}

void login::OrderShards(const ShardEntry* shards, int count, int key, int* order) {
    auto keyOf = [&](int i) -> int {
        const ShardEntry& s = shards[i];
        return key == 0 ? s.load : key == 1 ? static_cast<M_BYTE>(s.timeZone) : s.ping;
    };
    for (int i = 0; i < count; ++i) order[i] = i;
    for (int p = 0; p + 1 < count; ++p) {
        int best = -1;
        for (int q = p; q < count; ++q) {
            // Status '2' marks a shard that no order picks.
            if (static_cast<M_BYTE>(shards[order[q]].timeZone) == '2') continue;
            if (best < 0 || keyOf(order[q]) < keyOf(order[best])) best = q;
        }
        if (best >= 0 && best != p) {
            const int t = order[p];
            order[p] = order[best];
            order[best] = t;
        }
    }
}
