#pragma once
// Callbacks told about a change, kept by the id they were given when added
// and called in the order they were added.
#include <functional>
#include <map>

class ChangeListeners {
public:
    // Returns the id that removes the listener; ids are not given twice.
    int Add(std::function<void()> listener);
    // Does nothing for an id that is not held (any more).
    void Remove(int id);
    // Calls the listeners held when the call starts, in the order they were
    // added. A listener may remove itself or another one meanwhile: one
    // removed before its turn is not called (its owner may be gone). One
    // added meanwhile is first called next time.
    void Notify() const;

private:
    std::map<int, std::function<void()>> listeners_;
    int nextId_ = 1;
};
