// The animation data of "animdata.mul".  Only what its callers use so far
// is declared here.
#pragma once

void LoadAnimData();
void FreeAnimData();
