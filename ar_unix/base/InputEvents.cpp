#include "InputEvents.h"

#include <deque>
#include <utility>

namespace {

std::deque<InputEvent>& Queue() {
    static std::deque<InputEvent> queue;
    return queue;
}

}  // namespace

void PushInputEvent(const InputEvent& event) {
    Queue().push_back(event);
}

bool PopInputEvent(InputEvent* event) {
    if (Queue().empty()) return false;
    *event = std::move(Queue().front());
    Queue().pop_front();
    return true;
}

size_t PendingInputEvents() {
    return Queue().size();
}

void ClearInputEvents() {
    Queue().clear();
}
