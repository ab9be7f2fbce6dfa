// The view's side of the interfaces that lower modules declare for what they
// must ask of it.  main installs them all at start-up with
// InstallViewServices, before the configuration is read; a test installs the
// one it needs with tw::ScopedService.  Each implementation lives for the
// process.
#pragma once

class ConfigHooks;
class PatchOwners;
class ScreenUpdate;

// The play-area size to the graphic manager, radius and position to the
// circle of transparency.
ConfigHooks& ViewConfigHooks();
// Tile-data patches to the world model, changed art to the draw lists.
PatchOwners& ViewDataFileOwners();
// The per-frame screen update with the death fade.
ScreenUpdate& ViewScreenUpdate();

void InstallViewServices();
