#include "ProcessFlags.h"

std::atomic<int> g_quitFlag{0};
std::atomic<int> g_exitStatus{0};
int g_timeZoneMinutesWest = 0;
