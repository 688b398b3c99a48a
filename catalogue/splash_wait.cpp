#include "splash_wait.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace catalogue {

SplashStart TakeSplashStart(double timer) {
    return SplashStart{timer, std::nearbyint(timer)};  // default rounding mode: half to even
}

bool SplashWaitOver(const SplashStart& start, double now) {
    if (now < start.timer) return true;  // past midnight
    return std::floor(now) > start.second;
}

void WaitForSplash(const SplashStart& start, const std::function<double()>& timer) {
    while (!SplashWaitOver(start, timer())) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace catalogue
