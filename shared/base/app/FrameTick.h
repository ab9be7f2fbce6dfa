// The frame tick's clocks.  CApp::FrameTick is the client's one periodic
// step; these are the values it keeps for the rest of the client and the
// small decisions it makes, kept apart from the managers it drives.  All of
// it lives for the process and is touched by the main thread only.
#pragma once

#include <ctime>

#include "Clock.h"
#include "TWTypes.h"

// The arm/disarm macro's cool-down, counted down by one per tick body.
extern int g_armDisarmCooldown;

struct FrameTickState {
    M_DWORD lastTick = 0;    // when the body last ran
    M_DWORD lastSecond = 0;  // when the game clock last advanced
    time_t keepAliveTime = 0;
};
extern FrameTickState g_frameTickState;

struct FrameGate {
    bool run = false;         // the body runs: more than 75 ms since it last ran
    bool secondTick = false;  // and a second has passed: the game clock advances
};
FrameGate PassFrameGate(FrameTickState& state, M_DWORD now);

// One real second: the seconds count wraps 19 -> 0 into the minute, the
// minute 59 -> 0 into the hour, the hour 23 -> 0.
void AdvanceGameClock(int* hour, int* minute, int* seconds);

// True when a keep-alive is due: the connection is in use and more than 60
// wall seconds (a signed difference) have passed since the last one, or since
// the connection was last seen idle.
bool KeepAliveDue(FrameTickState& state, bool connectionInUse, time_t wallNow);

// The tick names each of its steps (the game clock, every manager's update,
// the draw, the keep-alive) just before it runs it; an installed observer
// hears the names in the order they run.  Tests follow the tick through it;
// null (the start value) listens to nothing.
using FrameStepObserver = void (*)(const char* step);
void SetFrameStepObserver(FrameStepObserver observer);
void NoteFrameStep(const char* step);

// Test support: the clocks, the gate, the keep-alive time, the cool-down and
// the observer back to their start values.
void ResetFrameTick();
