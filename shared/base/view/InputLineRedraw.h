// The speech input line, which the screen update redraws over the gumps: the
// application's, which holds the speech hue and font.  The application
// implements this interface and main installs it at start-up.
#pragma once

class InputLineRedraw {
public:
    static constexpr const char* kServiceName = "InputLineRedraw";
    virtual ~InputLineRedraw() = default;

    virtual void RedrawInputLine() = 0;
};
