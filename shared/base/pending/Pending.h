// Used by the stand-ins in this folder: logs "<Class>::<method>: not built
// yet." the first time a stand-in runs.
#pragma once

#include "TWReport.h"

#define TW_PENDING(name)                                    \
    do {                                                    \
        static bool said_ = false;                          \
        if (!said_) {                                       \
            said_ = true;                                   \
            TWReport::notice("%s: not built yet.\n", name); \
        }                                                   \
    } while (0)
