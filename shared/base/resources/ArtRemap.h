// Art id remapping: one build of the client can show some land and static
// graphics as others, chosen by an art variant.  This client runs variant 1,
// under which every id is itself.  The land tables live for the process.
#pragma once

#include "TWTypes.h"

// The art variant of this client (no key or message changes it).
extern int g_artVariant;

// Land ids (0-16383) through land remap table number variant (0-3); ids
// above 16383, and every id under variant 1 or another variant, unchanged.
int RemapArtIdByVariant(M_DWORD id);
// Static ids through the fixed map of variant 0 or 2; others unchanged.
int RemapStaticIdByVariant(int id);
// Every land remap table back to the identity.
void ResetRemapTables();
