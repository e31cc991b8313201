// platform/Clock.cpp
#include "platform/Clock.h"

#include <chrono>

namespace zumek {
namespace {

const std::chrono::steady_clock::time_point g_processStart = std::chrono::steady_clock::now();
bool g_manual = false;
int64_t g_manualMs = 0;

} // namespace

int64_t Clock::NowMs() {
    if (g_manual) return g_manualMs;
    auto elapsed = std::chrono::steady_clock::now() - g_processStart;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void Clock::UseManual(int64_t startMs) {
    g_manual = true;
    g_manualMs = startMs;
}

void Clock::UseReal() { g_manual = false; }

bool Clock::IsManual() { return g_manual; }

void Clock::Advance(int64_t ms) {
    if (g_manual) g_manualMs += ms;
}

} // namespace zumek
