#include <gtest/gtest.h>

#include "io/shared_library.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

#ifdef _WIN32
constexpr const char* SystemLibrary = "kernel32.dll";
constexpr const char* SystemFunction = "GetTickCount";
#else
constexpr const char* SystemLibrary = "libc.so.6";
constexpr const char* SystemFunction = "strlen";
#endif

// A library opened on first use is found by the first name that loads, and
// a missing library or function is a worded error naming it, never a crash.
TEST(SharedLibrary, TakesTheFirstNameThatLoadsAndNamesWhatIsMissing) {
    const SharedLibrary found = SharedLibrary::Open({"", "libspurwerk-missing.so.9", SystemLibrary});
    EXPECT_EQ(found.Name(), SystemLibrary);
    EXPECT_NE(found.Symbol(SystemFunction), nullptr);

    struct Case {
        std::vector<std::string> names;
        const char* symbol;  // asked of the system library when the names load
        std::string named;   // what the error must name
    };
    const Case cases[] = {
        {{"libspurwerk-missing.so.9", "/nowhere/libspurwerk-missing.so"}, nullptr, "libspurwerk-missing.so.9"},
        {{}, nullptr, "\"\""},
        {{SystemLibrary}, "spurwerk_no_such_function", "spurwerk_no_such_function"},
    };
    for (const Case& c : cases) {
        try {
            const SharedLibrary library = SharedLibrary::Open(c.names);
            ASSERT_NE(c.symbol, nullptr) << "opened although no name loads";
            library.Symbol(c.symbol);
            ADD_FAILURE() << "found a function the library lacks: " << c.symbol;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace spurwerk
