#include "ChangeListeners.h"

int ChangeListeners::Add(std::function<void()> listener) {
    listeners_[nextId_] = std::move(listener);
    return nextId_++;
}

void ChangeListeners::Remove(int id) {
    listeners_.erase(id);
}

void ChangeListeners::Notify() const {
    // A copy, as the listeners may change the list while they run.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener();
}
