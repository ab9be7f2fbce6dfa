// Fixtures of the macro tests: the application fixture plus a fresh macro
// list, engine state, key tables, the platform's X11 key names and target
// state for every test, and a variant whose game connection talks to a
// loopback test server.
#pragma once

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "FrameBuf.h"
#include "PlatformServices.h"
#include "Service.h"
#include "app/FrameTick.h"
#include "app/Macros.h"
#include "net/ClientSock.h"
#include "net/TargetState.h"
#include "support/LoopbackServer.h"

namespace tw::test {

class MacroTest : public AppTest {
protected:
    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            registered = true;
            AddServiceReset([] {
                FreeMacros();
                CApp::ResetMacroState();
                ResetTargetState();
                g_armDisarmCooldown = 0;
                g_loginComplete = FALSE;
            });
        }
        AppTest::SetUp();
        InitKeyTables();
    }

private:
    tw::ScopedService<KeyNames> keyNames_{&X11KeyNames()};

protected:
    // Appends a macro on F1 with the given action lines.
    static CMacro* AddMacro(const std::vector<std::string>& lines) {
        CMacro* macro = new CMacro;
        macro->keyCode = 112;
        macro->keySym = 0xFFBE | MACRO_KEYSYM_BIT;
        for (const std::string& line : lines)
            ParseMacroAction(line.c_str(), macro->actions[macro->actionCount++]);
        CMacro** tail = &g_macroList;
        while (*tail) tail = &(*tail)->next;
        *tail = macro;
        ++g_macroCount;
        return macro;
    }
};

// The game connection is connected to a loopback server, past the seed, and
// the login has completed.
class ConnectedMacroTest : public MacroTest {
protected:
    void SetUp() override {
        MacroTest::SetUp();
        g_pGameSocket = new CClientSock;
        ASSERT_TRUE(g_pGameSocket->Connect(LoopbackServer::kAddress, server_.port()));
        ASSERT_TRUE(server_.WaitForConnections(1));
        M_DWORD seed;
        ASSERT_TRUE(server_.ReadSeed(&seed));
        g_loginComplete = TRUE;
    }
    void TearDown() override {
        delete g_pGameSocket;
        g_pGameSocket = nullptr;
        MacroTest::TearDown();
    }

    // The next count messages the client sends (fewer when they do not come).
    std::vector<Bytes> Sent(size_t count) { return tw::test::PollMessages(server_, count); }
    // True when the client sends nothing within a short wait.
    bool SendsNothing() {
        Bytes m;
        return !PollUntil([&] { return server_.ReadMessage(&m, 0); }, 150);
    }

    LoopbackServer server_;
};

inline Bytes TextCommandBytes(M_BYTE type, const std::string& text) {
    const size_t length = 4 + text.size() + 1;
    Bytes m = {0x12, static_cast<M_BYTE>(length >> 8), static_cast<M_BYTE>(length), type};
    for (char c : text) m.push_back(static_cast<M_BYTE>(c));
    m.push_back(0);
    return m;
}

}  // namespace tw::test
