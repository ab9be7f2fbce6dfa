// Records the login requests that the code under test makes.
#pragma once

#include <string>
#include <vector>

namespace tw::fake {
// "SendAcctLogin <account> <password> <flag>" per call.
std::vector<std::string>& LoginRequests();
}  // namespace tw::fake
