#pragma once
// Libraries that only some commands need (audio conversion, archives) are
// opened when first used, not at every start: with all they pull in they
// are a third of the program's libraries, and read from a cold disk they
// cost more than a whole search of a card.
//
// An API is a list of the names, X(name), of a header the build has:
//   #define SNDFILE_FUNCTIONS(X) X(sf_open) X(sf_close)
//   SPURWERK_SHARED_API(SndfileApi, Sndfile, SNDFILE_FUNCTIONS, {"libsndfile.so.1", "/usr/lib/libsndfile.so"})
// defines struct SndfileApi with a pointer per name and `const SndfileApi&
// Sndfile()`, which opens the library on the first call (again on the next
// call when that throws): Sndfile().sf_open(...).

#include <string>
#include <vector>

namespace spurwerk {

class SharedLibrary {
public:
    // The first of `names` (a soname, then the file the build found) that
    // loads. Throws FileError naming the first when none does. A library
    // stays loaded for the rest of the process.
    static SharedLibrary Open(const std::vector<std::string>& names);

    // Throws FileError when the library lacks `symbol`.
    void* Symbol(const char* symbol) const;

    const std::string& Name() const { return name_; }

private:
    SharedLibrary(void* handle, std::string name) : handle_(handle), name_(std::move(name)) {}
    void* handle_;
    std::string name_;
};

}  // namespace spurwerk

#define SPURWERK_API_MEMBER(name) decltype(&::name) name = nullptr;
#define SPURWERK_API_RESOLVE(name) api.name = reinterpret_cast<decltype(&::name)>(lib.Symbol(#name));
#define SPURWERK_SHARED_API(Api, accessor, FUNCTIONS, ...)                          \
    struct Api {                                                                    \
        FUNCTIONS(SPURWERK_API_MEMBER)                                              \
    };                                                                              \
    const Api& accessor() {                                                         \
        static const Api loaded = [] {                                              \
            Api api;                                                                \
            const ::spurwerk::SharedLibrary lib = ::spurwerk::SharedLibrary::Open(__VA_ARGS__); \
            FUNCTIONS(SPURWERK_API_RESOLVE)                                         \
            return api;                                                             \
        }();                                                                        \
        return loaded;                                                              \
    }
