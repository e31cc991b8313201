// platform/Clock.cpp
#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace zumek {
namespace {

const std::chrono::steady_clock::time_point g_processStart = std::chrono::steady_clock::now();
bool g_manual = false;
int64_t g_manualUs = 0;

} // namespace

int64_t Clock::NowUs() {
    if (g_manual) return g_manualUs;
    auto elapsed = std::chrono::steady_clock::now() - g_processStart;
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

int64_t Clock::NowMs() {
    if (g_manual) return g_manualUs / 1000;
    auto elapsed = std::chrono::steady_clock::now() - g_processStart;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

void Clock::WaitUntilUs(int64_t us) {
    if (g_manual) {
        if (g_manualUs < us) g_manualUs = us;
        return;
    }
    // sleep_until on the steady clock is not cut short by changes of the wall-clock time.
    std::this_thread::sleep_until(g_processStart + std::chrono::microseconds(us));
}

void Clock::UseManual(int64_t startMs) {
    g_manual = true;
    g_manualUs = startMs * 1000;
}

void Clock::UseReal() { g_manual = false; }

bool Clock::IsManual() { return g_manual; }

void Clock::Advance(int64_t ms) {
    if (g_manual) g_manualUs += ms * 1000;
}

void Clock::AdvanceUs(int64_t us) {
    if (g_manual) g_manualUs += us;
}

} // namespace zumek
