#pragma once

#include <utility>

namespace zov {

// Runs work between target.BeginUpdate() and target.EndUpdate(), closing the bracket
// also when work throws.
template <typename T, typename F> void WithUpdate(T& target, F&& work) {
    target.BeginUpdate();
    try {
        std::forward<F>(work)();
    } catch (...) {
        target.EndUpdate();
        throw;
    }
    target.EndUpdate();
}

} // namespace zov
