// GoogleTest's port customisation for the win32-thread MinGW-w64 compilers (found before
// GoogleTest's own empty one: cmake/GoogleTest.cmake puts this folder first). Their C++
// library has no std::mutex or std::condition_variable, which GoogleTest uses only for
// Notification, the start signal of its ThreadWithParam. Everything else of its Windows
// thread support (Mutex, ThreadLocal, AutoHandle) is built on the Win32 API already.
// The test programs never start threads through GoogleTest, so a flag that the waiting
// thread polls is enough here.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_.store(true, std::memory_order_release); }
    void WaitForNotification() {
        while (!notified_.load(std::memory_order_acquire)) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
