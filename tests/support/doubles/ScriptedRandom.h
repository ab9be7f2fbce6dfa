// The dice of a test: while one lives, RandomNumber answers what answer
// says (0 when it is unset) and counts its calls.
#pragma once

#include <functional>

#include "Random.h"

namespace tw::doubles {

class ScriptedRandom {
public:
    ScriptedRandom() : previous_(current_) {
        current_ = this;
        SetRandomSourceForTests(&Roll);
    }
    ~ScriptedRandom() {
        current_ = previous_;
        SetRandomSourceForTests(previous_ ? &Roll : nullptr);
    }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    std::function<int(int)> answer;
    int calls = 0;

private:
    static int Roll(int n) {
        ++current_->calls;
        return current_->answer ? current_->answer(n) : 0;
    }

    ScriptedRandom* previous_;
    static inline ScriptedRandom* current_ = nullptr;
};

}  // namespace tw::doubles
