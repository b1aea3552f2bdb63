// The program's own terminate handler. The runtime's default one prints the
// demangled type of the exception to stderr, which a windowed program does
// not have, and links the whole demangler for it. The runtime's terminate
// functions name it as __gnu_cxx::__verbose_terminate_handler; this
// definition takes its place, so neither it nor the demangler is linked.
#include <cstdlib>
#include <exception>

#include <windows.h>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    // The exit code abort() gives, without abort()'s message box.
    ::TerminateProcess(::GetCurrentProcess(), 3);
    std::_Exit(3);
}
} // namespace __gnu_cxx
