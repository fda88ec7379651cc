// Runs a function when the scope ends, however it ends: a one-off restore without a class
// of its own or a call repeated on every path. The result must be kept: a guard dropped at
// once would run the function at once.
//
//     const COLORREF previous = ::SetBkColor(dc, colour);
//     const auto restore = ScopeExit([&] { ::SetBkColor(dc, previous); });
#pragma once

#include <utility>

template <class Function>
class [[nodiscard]] ScopeExitGuard {
public:
    ~ScopeExitGuard() { m_function(); }
    ScopeExitGuard(const ScopeExitGuard&) = delete;
    ScopeExitGuard& operator=(const ScopeExitGuard&) = delete;

private:
    template <class F>
    friend ScopeExitGuard<F> ScopeExit(F function);
    explicit ScopeExitGuard(Function function) : m_function(std::move(function)) {}

    Function m_function;
};

template <class Function>
[[nodiscard]] ScopeExitGuard<Function> ScopeExit(Function function) {
    return ScopeExitGuard<Function>(std::move(function));
}
