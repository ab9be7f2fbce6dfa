// Hooks where a development build attached its editing and debugging tools.
// In this client every hook is empty or answers 0 (not handled) and DebugMode
// answers false, so the code behind them never runs.  Callers still call them
// at their places; each takes the caller's arguments and ignores them.
#pragma once

#include "TWTypes.h"

inline BOOL DebugMode(...) {
    return FALSE;
}

inline void DataFileChangedHook(...) {}
inline void FullScreenChangedHook(...) {}
inline void BrowserLaunchHook(...) {}

inline void EditServerHook(...) {}
inline void EditServerHook3E(...) {}
inline void EditServerHook3F(...) {}
inline void EditServerHook40(...) {}
inline void EditServerHook43(...) {}
inline void EditServerHook2411(...) {}

inline void VersionStartupHook(...) {}
inline void VersionEditServerHook(...) {}
inline void VersionUpdateHook(...) {}
inline void VersionHookA(...) {}
inline void VersionHookB(...) {}

inline void ScrollPositionHook(...) {}

// The play-area handlers go on when these answer 0.
inline int MapGumpHookTick(...) {
    return 0;
}
inline int MapGumpHookMouseMove(...) {
    return 0;
}
inline int MapGumpHookLButtonDown(...) {
    return 0;
}
inline int MapGumpHookLButtonUp(...) {
    return 0;
}
inline int MapGumpHookSlot7(...) {
    return 0;
}
inline int MapGumpHookSlot8(...) {
    return 0;
}
inline int MapGumpHookSlot11(...) {
    return 0;
}
inline void MapGumpClickHook(...) {}
inline int MapGumpDebugHook(...) {
    return 0;
}
inline int DragGumpHookTest(...) {
    return 0;
}
inline void DragGumpHook(...) {}

inline void GumpManagerHook(...) {}
inline void FontShutdownHook(...) {}
inline void MultiTargetCreateHook(...) {}
inline void MultiTargetDestroyHook(...) {}
inline void AnimDataProgressHook(...) {}
inline void DebugRegionHook(...) {}
