// The few pieces of the C++ runtime the program uses, without exceptions. The program throws none
// and catches none; the library's error paths (allocation failure, a length beyond max_size) end
// the process at once. Without this file they drag in the exception machinery, the demangler and
// printf, more than doubling the executable.
#include <cstdlib>
#include <new>

// These are the library's own hooks, so they carry its reserved names.
// NOLINTBEGIN(bugprone-reserved-identifier)
namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_bad_function_call() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)

namespace {
// malloc(0) may return null; new must not.
void* allocate(std::size_t size) noexcept { return std::malloc(size ? size : 1); }
}  // namespace

void* operator new(std::size_t size) {
    if (void* memory = allocate(size)) return memory;
    std::abort();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
