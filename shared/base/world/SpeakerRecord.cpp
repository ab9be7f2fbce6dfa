#include "world/SpeakerRecord.h"

char g_speakerName[SPEAKER_NAME_SIZE];
M_BYTE g_speechKind = 0;
