// The view's side of the interfaces that lower modules declare for what they
// must ask of it.  main installs them all at start-up with
// InstallViewServices, before the configuration is read; a test installs the
// one it needs with tw::ScopedService.  Each implementation lives for the
// process.
#pragma once

class CircleOfTransparency;
class ConfigHooks;
class DrawLists;
class EffectMessages;
class SequenceEffects;
class GumpScreen;
class MapAccess;
class PatchOwners;
class ScreenUpdate;
class ViewLight;

// The play-area size to the graphic manager, radius and position to the
// circle of transparency.
ConfigHooks& ViewConfigHooks();
// Tile-data patches to the world model, changed art to the draw lists.
PatchOwners& ViewDataFileOwners();
// The per-frame screen update with the death fade.
ScreenUpdate& ViewScreenUpdate();

// What the world model asks of the view (world/ViewHooks.h): the draw
// lists and the animation table, the map, the light and the circle of
// transparency's see-through list.
DrawLists& ViewDrawListsService();
MapAccess& ViewMapAccessService();
ViewLight& ViewLightService();
CircleOfTransparency& ViewCircleService();

// The effect and sequence messages of the network core, and the effect
// steps of sequences (Effects.cpp).
EffectMessages& ViewEffectMessages();
SequenceEffects& ViewSequenceEffects();
// What the gump framework asks of the view (gumps/GumpHooks.h): the screen
// invalidation, the scroll reset, the mobiles' animation step and help on
// hover.  The software cursor is ViewMouseCursor (view/MouseCursor.h).
GumpScreen& ViewGumpScreen();
// Test support: help on hover back at its start (state 0, nothing hovered).
void ResetHelpHovering();

// The play area: its path step (WorldViewService), what the world model asks
// of it (PlayArea) and its gump (MapGumpService); InstallViewServices
// installs it too.
void InstallPlayArea();
// The drag gump of a held item (GumpService); InstallViewServices installs
// it too.
void InstallDragGump();

void InstallViewServices();
