#include "framework/gui/common_controls.h"

#include "framework/portable/errors.h"
#include "framework/system/system_error.h"

#include <optional>

namespace stilvane {

namespace {

[[noreturn]] void RaiseLastError() {
    const DWORD code = ::GetLastError();
    throw EOSError(messages::SystemError(code, SystemErrorText(code)), code);
}

template <typename Function> Function Find(HMODULE library, const char* name) {
    const FARPROC found = ::GetProcAddress(library, name);
    if (!found)
        RaiseLastError();
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

std::optional<CommonControls>& Loaded() {
    static std::optional<CommonControls> loaded;
    return loaded;
}

} // namespace

const CommonControls& LoadCommonControls() {
    std::optional<CommonControls>& loaded = Loaded();
    if (loaded)
        return *loaded;
    // Only from the system's folder; the manifest's version still applies.
    const HMODULE library =
        ::LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library)
        RaiseLastError();
    const auto initialize =
        Find<decltype(&::InitCommonControlsEx)>(library, "InitCommonControlsEx");
    CommonControls functions{
        Find<decltype(&::SetWindowSubclass)>(library, "SetWindowSubclass"),
        Find<decltype(&::GetWindowSubclass)>(library, "GetWindowSubclass"),
        Find<decltype(&::RemoveWindowSubclass)>(library, "RemoveWindowSubclass"),
        Find<decltype(&::DefSubclassProc)>(library, "DefSubclassProc")};
    // The controls in the system's visual style.
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    initialize(&classes);
    return loaded.emplace(functions);
}

const CommonControls* LoadedCommonControls() {
    const std::optional<CommonControls>& loaded = Loaded();
    return loaded ? &*loaded : nullptr;
}

} // namespace stilvane
