#include "ChangeListeners.h"

#include <vector>

int ChangeListeners::Add(std::function<void()> listener) {
    listeners_[nextId_] = std::move(listener);
    return nextId_++;
}

void ChangeListeners::Remove(int id) { listeners_.erase(id); }

void ChangeListeners::Notify() const {
    // The ids held now: a listener added while this runs waits for the next
    // notice. Each callback is copied before it runs, as it may remove itself.
    std::vector<int> ids;
    ids.reserve(listeners_.size());
    for (const auto& entry : listeners_)
        ids.push_back(entry.first);
    for (int id : ids) {
        const auto held = listeners_.find(id);
        if (held == listeners_.end())
            continue;
        const std::function<void()> listener = held->second;
        listener();
    }
}
