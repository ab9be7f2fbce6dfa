#include "gumps/DeathMenuGump.h"
#include "pending/Pending.h"

CDeathMenuGump::CDeathMenuGump() {
    TW_PENDING("CDeathMenuGump::CDeathMenuGump");
}
