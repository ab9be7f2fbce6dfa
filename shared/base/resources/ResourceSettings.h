// The configuration values the resources read, in one place.
#pragma once

#include "TWTypes.h"
#include "config/Config.h"

namespace resource_settings {

inline bool MaximumInstall() {
    return hdConfig == MaxHD;
}
inline int CacheMegabytes() {
    return CacheSize;
}
inline bool UseVerData() {
    return ::UseVerData != 0;
}
inline const char* CdRomDataPath() {
    return ::CdRomDataPath;
}
inline bool AssumePlayAsGhost() {
    return ::AssumePlayAsGhost != 0;
}
inline bool Display565() {
    return ::Display565 != 0;
}
// Entries 1-6: the configured highlight colours (0 = none) and hue numbers.
constexpr int kHighlightEntries = HIGHLIGHT_ENTRIES;
inline int* HighlightColors() {
    return HighlightColor;
}
inline int* HighlightHues() {
    return HighlightHue;
}

}  // namespace resource_settings
