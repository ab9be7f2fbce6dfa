// What the login screens keep about the current choice of shard and
// character.  Only what their callers use so far is declared here.
#pragma once

// The name of the character in play as the character list holds it (empty
// when its slot has none), and the current shard's name (empty when none is
// set).
const char* GetCurrentCharacterName();
const char* GetCurrentShardName();
