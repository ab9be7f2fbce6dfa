// What the world's server messages asked of the application, the gump
// framework and the game dialogs (net/WorldMessageEvents.h), as one log of
// short texts in call order, e.g. "OpenGump 40000001 10 0",
// "SystemMessage 0 3 That is too far away.", "ShowStatus 2 Bob rename=1".
// Installed for the double's lifetime.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "Service.h"
#include "net/WorldMessageEvents.h"
#include "net/WorldMessageState.h"
#include "world/Mobile.h"

namespace tw::doubles {

class RecordingWorldMessages final : public WorldMessageApp,
                                     public WorldMessageGumps,
                                     public WorldMessageDialogs {
public:
    std::vector<std::string> calls;
    std::string title;
    int fightModes[3] = {};
    // What RedrawContainerGump answers.
    BOOL containerGumpOpen = FALSE;

    // Every call whose text starts with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
        return out;
    }

    void ResetWorldState() override { Log("ResetWorldState"); }
    void ClearBackBuffer() override { Log("ClearBackBuffer"); }
    void SetInWorld() override { Log("SetInWorld"); }
    void SetWarMode(int mode) override { Log("SetWarMode %d", mode); }
    void ApplyWarMode(int mode) override { Log("ApplyWarMode %d", mode); }
    void SetFightModes(int a, int b, int c) override {
        fightModes[0] = a;
        fightModes[1] = b;
        fightModes[2] = c;
    }
    const char* GetVersionText() override { return "1.0.0"; }
    void SetWindowTitle(const char* text) override { title = text; }
    const char* GetCurrentCharacterName() override { return "Alia"; }
    const char* GetCurrentShardName() override { return "Test Shard"; }
    void SetGameClock(int h, int m, int s) override { Log("GameClock %d:%d:%d", h, m, s); }
    void BeginServerTarget() override { Log("BeginServerTarget"); }
    void EndTarget() override { Log("EndTarget"); }

    void OpenGump(CObj* object, int id, int flag) override {
        Log("OpenGump %X %d %d", Serial(object), id, flag);
    }
    void LaunchMissileObjToObj(int g, CObj* s, CObj* t, int a, int b, int c) override {
        Log("MissileObjToObj %d %X %X %d %d %d", g, Serial(s), Serial(t), a, b, c);
    }
    void LaunchMissileObjToPos(int g, CObj* s, Coords t, int a, int b, int c) override {
        Log("MissileObjToPos %d %X %d,%d,%d %d %d %d", g, Serial(s), t.x, t.y, t.z, a, b, c);
    }
    void LaunchMissilePosToObj(int g, Coords s, CObj* t, int a, int b, int c) override {
        Log("MissilePosToObj %d %d,%d,%d %X %d %d %d", g, s.x, s.y, s.z, Serial(t), a, b, c);
    }
    void LaunchMissilePosToPos(int g, Coords s, Coords t, int a, int b, int c) override {
        Log("MissilePosToPos %d %d,%d,%d %d,%d,%d %d %d %d", g, s.x, s.y, s.z, t.x, t.y, t.z, a, b,
            c);
    }
    void CloseFlaggedGumps() override { Log("CloseFlaggedGumps"); }
    void CloseDeathMenuGumps(BOOL everything) override {
        Log("CloseDeathMenuGumps %d", everything);
    }
    void CloseDragGump() override { Log("CloseDragGump"); }
    void AddSystemMessage(int hue, int font, const char* text) override {
        Log("SystemMessage %d %d %s", hue, font, text);
    }
    void CloseLoginGumps() override { Log("CloseLoginGumps"); }

    void RefreshStatusGumps(CMobile* m) override { Log("RefreshStatusGumps %X", Serial(m)); }
    void ShowStatus(M_DWORD serial, const StatusRecord& r, BOOL rename) override {
        Log("ShowStatus %X %s rename=%d", serial, r.name, rename);
    }
    void SetShopGold(M_WORD gold) override { Log("SetShopGold %d", gold); }
    void UpdateTargetGumps(M_DWORD serial, int current, int maximum) override {
        Log("TargetGumps %X %d/%d", serial, current, maximum);
    }
    void UpdateStatusVitals(CMobile* m, int mask, const M_WORD*, const M_WORD*) override {
        Log("StatusVitals %X mask=%d", Serial(m), mask);
    }
    void CloseHolderShopGump(CContainerObj* c) override {
        Log("CloseHolderShopGump %X", Serial(c));
    }
    void ShowContainerContents(CContainerObj* c) override {
        Log("ShowContainerContents %X", Serial(c));
    }
    BOOL RedrawContainerGump(CContainerObj* c) override {
        Log("RedrawContainerGump %X", Serial(c));
        return containerGumpOpen;
    }
    void OpenSpellBook(CDynamicObj* o) override { Log("OpenSpellBook %X", Serial(o)); }
    void CloseRadarGump() override { Log("CloseRadarGump"); }
    void ShowSkillChange(int index, int value) override { Log("SkillChange %d %d", index, value); }
    void RedrawSkillGump() override { Log("RedrawSkillGump"); }
    void SkillListArrived(int command) override { Log("SkillList %d", command); }
    void UpdateShopGumps(CMobile* vendor, int action) override {
        Log("ShopGumps %X %d", Serial(vendor), action);
    }
    void OpenCourseGump(CItemObj* map, int art, const M_WORD* w) override {
        Log("CourseGump %X %d %d %d %d %d %d %d", Serial(map), art, w[0], w[1], w[2], w[3], w[4],
            w[5]);
    }
    void SetLastTarget(CObj* o) override { Log("SetLastTarget %X", Serial(o)); }
    void SetServerTarget(M_DWORD serial) override { Log("SetServerTarget %X", serial); }

private:
    static M_DWORD Serial(CObj* o) {
        return o && o->IsDynamic() ? static_cast<CDynamicObj*>(o)->GetSerial() : 0;
    }
    template <typename... Args>
    void Log(const char* format, Args... args) {
        char text[256];
        if constexpr (sizeof...(Args) == 0)
            snprintf(text, sizeof text, "%s", format);
        else
            snprintf(text, sizeof text, format, args...);
        calls.emplace_back(text);
    }

    tw::ScopedService<WorldMessageApp> app_{this};
    tw::ScopedService<WorldMessageGumps> gumps_{this};
    tw::ScopedService<WorldMessageDialogs> dialogs_{this};
};

}  // namespace tw::doubles
