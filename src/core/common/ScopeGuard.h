#pragma once
// Runs a piece of code when the scope it was made in ends, whether by return or by an
// exception: the one way to put something back (a flag, a control's contents) that has no
// owning type of its own. The code runs in a destructor and must not throw.
//
//     inDriveChange_ = true;
//     const ScopeGuard clear([this] { inDriveChange_ = false; });
#include <utility>

namespace korva {

template <typename OnExit>
class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(OnExit onExit) : onExit_(std::move(onExit)) {}
    ~ScopeGuard() { onExit_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    OnExit onExit_;
};

}  // namespace korva
