// What the world model asks of the application's target cursor: using some
// scrolls starts a targeting command (the application implements it and
// main installs it at start-up).
#pragma once

#include "Service.h"

class TargetRequests {
public:
    static constexpr const char* kServiceName = "TargetRequests";
    virtual ~TargetRequests() = default;

    // Shows the target cursor for a command ("scroll"), its kind and number.
    virtual void BeginTarget(const char* command, int kind, int number) = 0;
};
