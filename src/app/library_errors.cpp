// The standard library's failures (a string position past its end, a
// container past its largest size), thrown as the program's own exception.
// The runtime's versions of these helpers build their exceptions with
// copy-on-write strings and pull in about 50 KB of its own classes and texts;
// these definitions take their place, so none of that is linked. The texts
// stay the library's own: a box shows them as it did.
#include "framework/portable/errors.h"

#include <cstdarg>
#include <cstddef>
#include <new>
#include <string>
#include <typeinfo>

namespace {

[[noreturn]] void Fail(std::string message) {
    throw stilvane::ELibraryError(std::move(message));
}

} // namespace

namespace std {

void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}
void __throw_logic_error(const char* message) {
    Fail(message);
}
void __throw_domain_error(const char* message) {
    Fail(message);
}
void __throw_invalid_argument(const char* message) {
    Fail(message);
}
void __throw_length_error(const char* message) {
    Fail(message);
}
void __throw_out_of_range(const char* message) {
    Fail(message);
}
void __throw_runtime_error(const char* message) {
    Fail(message);
}
void __throw_range_error(const char* message) {
    Fail(message);
}
void __throw_overflow_error(const char* message) {
    Fail(message);
}
void __throw_underflow_error(const char* message) {
    Fail(message);
}
// The library's formats use "%s" and "%zu" only.
void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string message;
    for (const char* at = format; *at; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            message += va_arg(arguments, const char*);
            ++at;
        } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            message += std::to_string(va_arg(arguments, std::size_t));
            at += 2;
        } else if (at[0] == '%' && at[1] == '%') {
            message += '%';
            ++at;
        } else {
            message += *at;
        }
    }
    va_end(arguments);
    Fail(std::move(message));
}

} // namespace std
