// The process flags: what every part of the client may read about the run
// as a whole.
#pragma once

#include <atomic>

// 0 while the client runs; any part of the client sets it to end the run.
// It only ever goes from 0 to non-zero and means nothing but "exit": the
// cursor thread reads it without a lock.
extern std::atomic<int> g_quitFlag;
// The status the program ends with once the quit flag is set (0 unless a
// part of the client ends the run because something failed).
extern std::atomic<int> g_exitStatus;

// The local time zone in minutes west of Greenwich, read at start-up; the
// login screens sort the servers by it.
extern int g_timeZoneMinutesWest;
