// Smaller replacements for a few helpers of the C++ runtime library, linked into the tool
// only (never into tests). The library's own versions pull in its demangler (for the
// message of an unhandled exception), its copy-on-write string and exception classes, and
// through them random_device and the thread library: well over 100 KB for code that a
// single-threaded program whose handlers catch every std::exception never needs.
//
// The throw helpers below are what the standard containers and strings call on misuse or
// exhaustion (length_error, out_of_range, ...). They throw a std::exception carrying the
// library's message text, which the handler wrapper shows in the error box like any other;
// bad_alloc stays bad_alloc. Nothing in the tool catches the specific standard types.
#include <cstdlib>
#include <exception>
#include <new>

namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* text) noexcept : text_(text ? text : "Library error") {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;  // the library passes string literals
};

}  // namespace

namespace __gnu_cxx {
// An exception that nobody catches ends the program at once (as the library's handler
// does after printing, which a GUI program has nowhere to do).
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_bad_exception() { throw LibraryError("Bad exception"); }
void __throw_bad_cast() { throw LibraryError("Bad cast"); }
void __throw_bad_function_call() { throw LibraryError("Bad function call"); }
void __throw_bad_typeid() { throw LibraryError("Bad typeid"); }
void __throw_logic_error(const char* text) { throw LibraryError(text); }
void __throw_domain_error(const char* text) { throw LibraryError(text); }
void __throw_invalid_argument(const char* text) { throw LibraryError(text); }
void __throw_length_error(const char* text) { throw LibraryError(text); }
void __throw_out_of_range(const char* text) { throw LibraryError(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* text) { throw LibraryError(text); }
void __throw_range_error(const char* text) { throw LibraryError(text); }
void __throw_overflow_error(const char* text) { throw LibraryError(text); }
void __throw_underflow_error(const char* text) { throw LibraryError(text); }
}  // namespace std
