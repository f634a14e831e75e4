#include "io/shared_library.h"

#include <utility>

#include "io/path_text.h"
#include "ui/errors.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace spurwerk {

namespace {

std::string LastError() {
#ifdef _WIN32
    return std::system_category().message(static_cast<int>(GetLastError()));
#else
    const char* text = dlerror();
    return text ? text : "";
#endif
}

}  // namespace

SharedLibrary SharedLibrary::Open(const std::vector<std::string>& names) {
    std::string problem;
    for (const std::string& name : names) {
        if (name.empty()) continue;
#ifdef _WIN32
        void* handle = LoadLibraryW(PathFromText(name).c_str());
#else
        void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
        if (handle) return SharedLibrary(handle, name);
        if (problem.empty()) problem = LastError();
    }
    throw FileError::For(FileStep::Open, PathFromText(names.empty() ? "" : names.front()), FileFault::Detail,
                         {problem});
}

void* SharedLibrary::Symbol(const char* symbol) const {
#ifdef _WIN32
    void* address = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), symbol));
#else
    void* address = dlsym(handle_, symbol);
#endif
    if (!address)
        throw FileError::For(FileStep::Read, PathFromText(name_), FileFault::Detail, {std::string(symbol) + ": " + LastError()});
    return address;
}

}  // namespace spurwerk
