// Waiting for a condition with a deadline: the tests never sleep and hope.
#pragma once
#include <functional>

namespace harness {

// A span of time in milliseconds. (Not std::chrono: <chrono> of C++20 holds a "µs" literal, which does
// not compile with -fexec-charset=CP936.)
struct Timeout {
    unsigned long milliseconds;
};
constexpr Timeout operator""_ms(unsigned long long count) { return {static_cast<unsigned long>(count)}; }
constexpr Timeout operator""_s(unsigned long long count) { return {static_cast<unsigned long>(count * 1000)}; }

// Long enough for a Wine process to start and show its windows on a loaded machine.
constexpr Timeout kDefaultTimeout = 10_s;

// Checks `condition` every few milliseconds until it holds (true) or `timeout` has passed (false).
bool waitUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout);

// True once `condition` has held at every check for `quiet`; false if it did not within `timeout`.
bool waitUntilHeld(const std::function<bool()>& condition, Timeout quiet, Timeout timeout = kDefaultTimeout);

// A point in time `timeout` from now, and what is left of it.
class Deadline {
public:
    explicit Deadline(Timeout timeout);
    Timeout left() const;

private:
    unsigned long long end_;
};

}  // namespace harness
