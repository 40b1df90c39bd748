// Waiting for another process: every wait polls a condition until it holds or time runs out,
// so a program that never gets there fails the caller instead of hanging it.
#pragma once

#include <functional>

namespace petarino::remote {

// Long enough for a cold start under Wine on a busy machine; a healthy program takes far less.
inline constexpr unsigned long kPatienceMs = 20000;

// True once the condition holds, false when timeoutMs passed first.
bool WaitFor(const std::function<bool()>& condition, unsigned long timeoutMs = kPatienceMs);

} // namespace petarino::remote
