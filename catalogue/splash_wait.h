#pragma once
// The splash window's wait at start-up: it stays up until the timer, cut to
// whole seconds, has passed the start second.
#include <functional>

namespace catalogue {

// The start of the wait: the timer reading and that reading rounded to the
// nearest whole second (a half to the even neighbour).
struct SplashStart {
    double timer = 0.0;
    double second = 0.0;
};

SplashStart TakeSplashStart(double timer);

// True once the wait that began at `start` is over at timer reading `now`:
// the whole seconds of `now` exceed the start second, or the timer has gone
// back past midnight (it counts seconds since midnight), so a wait begun in
// the last second of the day ends too.
bool SplashWaitOver(const SplashStart& start, double now);

// Reads `timer` repeatedly, without handling window messages, until the wait
// is over.
void WaitForSplash(const SplashStart& start, const std::function<double()>& timer);

}  // namespace catalogue
