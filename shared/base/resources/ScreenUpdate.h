// The per-frame screen update (GraphicManager::UpdateScreen) paints the play
// area and draws every gump: the view's work, called by the frame tick and by
// the network's lost-connection loop.  The view implements this interface
// and main installs it at start-up.
#pragma once

class ScreenUpdate {
public:
    static constexpr const char* kServiceName = "ScreenUpdate";
    virtual ~ScreenUpdate() = default;

    virtual void UpdateScreen() = 0;
};
