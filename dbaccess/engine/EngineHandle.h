#pragma once
// Inside this layer only: an owning handle of one interface of the Firebird
// client. It gives its reference back when it goes (release for counted
// interfaces, dispose for the disposable ones), never throws doing so, and
// moves but does not copy.
//
// Every header of dbaccess/engine/ includes this one, so the folder stays
// out of reach of the targets that only link the layer.
#ifndef QUORVEL_DBACCESS_ENGINE
#error "dbaccess/engine/ is private to the data-access layer"
#endif

#include <firebird/Interface.h>

#include <memory>

struct EngineRelease {
    void operator()(Firebird::IReferenceCounted* handle) const noexcept { handle->release(); }
    void operator()(Firebird::IDisposable* handle) const noexcept { handle->dispose(); }
};

template <class T>
using EngineHandle = std::unique_ptr<T, EngineRelease>;

// After an engine call that freed the interface itself (close, free,
// commit, rollback and detach do when they succeed): the handle gives it up
// without releasing it again.
template <class T>
void Freed(EngineHandle<T>& handle) noexcept {
    static_cast<void>(handle.release());
}

// A second owning handle of an interface someone else holds too.
template <class T>
EngineHandle<T> NewReference(T* handle) {
    handle->addRef();
    return EngineHandle<T>(handle);
}
