// Used by the stand-ins in this folder: logs "<Class>::<method>: not built
// yet." the first time a stand-in runs.
#pragma once

#include "Service.h"
#include "TWReport.h"

#define TW_PENDING(name)                                    \
    do {                                                    \
        static bool said_ = false;                          \
        if (!said_) {                                       \
            said_ = true;                                   \
            TWReport::notice("%s: not built yet.\n", name); \
        }                                                   \
    } while (0)

// The one instance of a stand-in, installed for each interface it serves.
template <class StandIn, class... Interfaces>
void InstallStandIn() {
    static StandIn standIn;
    (tw::Service<Interfaces>::Install(&standIn), ...);
}
