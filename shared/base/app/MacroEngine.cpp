// The macro step engine: one action per frame tick, with delays, waits for
// a target cursor and retries of an action that could not run yet.
#include "app/App.h"
#include "app/Macros.h"

namespace {

// A wait for the target cursor gives up after this many ticks.
constexpr int kWaitTicks = 100;
// An action that keeps failing stops its macro after this many retries.
constexpr int kMaxRetries = 10;

void StopMacro() {
    g_macroState.running = nullptr;
    g_macroState.isRunning = FALSE;
    g_macroState.nextAction = 0;
    g_macroState.retryCounter = 0;
}

}  // namespace

void CApp::ResetMacroState() {
    g_macroState = MacroEngineState{};
    g_macroState.lastObject = -1;
    g_macroState.lastSkill = -1;
    g_macroState.lastTargetNext = -1;
    LastSpellCast = -1;
}

void CApp::StartMacro(int index) {
    if (g_macroState.isRunning) {
        g_macroState.waitCounter = 0;
        g_macroState.delayActive = FALSE;
        return;
    }
    CMacro* macro = GetMacro(index);
    if (!macro) return;
    g_macroState.running = macro;
    g_macroState.nextAction = 0;
    g_macroState.retryCounter = 0;
    g_macroState.isRunning = TRUE;
}

void CApp::MacroTick() {
    MacroEngineState& s = g_macroState;
    if (s.delayActive) {
        if (++s.delayCounter > s.delayLength) s.delayActive = FALSE;
        return;
    }
    if (!s.isRunning || !s.running) return;
    if (s.waitCounter != 0) {
        if (++s.waitCounter > kWaitTicks) s.waitCounter = 0;
        if (targeting) s.waitCounter = 0;
        return;
    }
    CMacro* macro = s.running;
    M_DWORD count = macro->actionCount < MAX_MACRO_ACTIONS ? macro->actionCount : MAX_MACRO_ACTIONS;
    if (s.nextAction >= static_cast<int>(count)) {
        StopMacro();
        return;
    }
    if (ExecuteMacro(macro, s.nextAction)) {
        s.retryCounter = 0;
        ++s.nextAction;
    } else if (++s.retryCounter > kMaxRetries) {
        StopMacro();
        return;
    }
    if (s.isRunning && s.nextAction >= static_cast<int>(count)) StopMacro();
}
