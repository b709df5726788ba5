// The main function of every test program: GoogleTest's, with one guard more. Wine, as
// Windows, swallows a crash inside a window procedure that the system called, so a use of
// a destroyed object there would pass unnoticed. Every access violation raised while a
// test runs is noted, and the program then fails, naming the tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr int kKept = 32;
const char* g_crashed[kKept]; // the suites and tests that raised one, as GoogleTest names them
const char* g_crashedSuite[kKept];
volatile LONG g_crashes = 0;

LONG CALLBACK NoteAccessViolation(EXCEPTION_POINTERS* e)
{
    if (e->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION) return EXCEPTION_CONTINUE_SEARCH;
    // Nothing that allocates: the heap itself may be what failed.
    const LONG n = ::InterlockedIncrement(&g_crashes) - 1;
    if (n < kKept) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        g_crashedSuite[n] = test ? test->test_suite_name() : "(between tests)";
        g_crashed[n] = test ? test->name() : "";
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::AddVectoredExceptionHandler(1, &NoteAccessViolation);
    const int result = RUN_ALL_TESTS();
    if (g_crashes == 0) return result;
    std::fprintf(stderr, "%ld access violation(s) while tests ran, swallowed or not:\n", g_crashes);
    for (LONG i = 0; i < g_crashes && i < kKept; ++i)
        std::fprintf(stderr, "  %s.%s\n", g_crashedSuite[i], g_crashed[i]);
    return 1;
}
