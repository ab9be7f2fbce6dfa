// Records the target cancels sent by the code under test.
#pragma once

namespace tw::fake {
// How often PacketManager::SendTargetCancel ran.
int& TargetCancels();
}  // namespace tw::fake
