// The registration of the world's server-message handlers, one function per
// source file; InstallWorldHandlers (net/WorldMessageState.h) calls them
// all.  Not for other modules.
#pragma once

void RegisterObjectHandlers();
void RegisterPlayerHandlers();
void RegisterExtendedHandler();
void RegisterDataUpdateHandlers();
void RegisterWarModeHandlers();
void RegisterAnimationHandler();
// The player's reported attributes become unknown (no change is reported
// for the next status).
void ResetPlayerAttributes();
