// Runs a function when the scope ends, however it ends: a one-off restore without a class
// of its own or a call repeated on every path. The result must be kept: a guard dropped at
// once would run the function at once.
//
//     const COLORREF previous = ::SetBkColor(dc, colour);
//     const auto restore = ScopeExit([&] { ::SetBkColor(dc, previous); });
//
// release() lets the one path that keeps what the function would undo say so.
#pragma once

#include <utility>

template <class Function>
class [[nodiscard]] ScopeExitGuard {
public:
    ~ScopeExitGuard() {
        if (m_armed) m_function();
    }
    ScopeExitGuard(const ScopeExitGuard&) = delete;
    ScopeExitGuard& operator=(const ScopeExitGuard&) = delete;

    // The function will not run.
    void release() { m_armed = false; }

private:
    template <class F>
    friend ScopeExitGuard<F> ScopeExit(F function);
    explicit ScopeExitGuard(Function function) : m_function(std::move(function)) {}

    Function m_function;
    bool m_armed = true;
};

template <class Function>
[[nodiscard]] ScopeExitGuard<Function> ScopeExit(Function function) {
    return ScopeExitGuard<Function>(std::move(function));
}
