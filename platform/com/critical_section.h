#pragma once
// A critical section: a lock that the thread holding it may enter again.
#include <mutex>

namespace com {

struct CRITICAL_SECTION {
    std::recursive_mutex mutex;
};

inline void InitializeCriticalSection(CRITICAL_SECTION*) {}
inline void EnterCriticalSection(CRITICAL_SECTION* cs) { cs->mutex.lock(); }
inline void LeaveCriticalSection(CRITICAL_SECTION* cs) { cs->mutex.unlock(); }
inline void DeleteCriticalSection(CRITICAL_SECTION*) {}

}  // namespace com
