// The shard list's sort orders (the "Sort by:" buttons).
#pragma once

#include "login/LoginRoad.h"

class CScrollChoiceGump;

namespace login {
// Indices 0..count-1 by selection: at each place the smallest key among the
// rest (the first of equals), shards whose status byte is '2' never picked.
// key 0: the load byte, 1: the time-zone byte, 2: the ping time.
void OrderShards(const ShardEntry* shards, int count, int key, int* order);
// Refills the list in that order (key 2 pings the shards first).
void SortShardRows(CScrollChoiceGump* list, int key);
}  // namespace login
