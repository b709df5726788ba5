// The module on the Windows versions its host runs on: Wine reports an older version to a
// program when its AppDefaults say so, read once when the program starts, so the version
// matrix runs this program once a version (scripts/wine-version).
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr char kChildVariable[] = "TIPP211_WINDOWS_VERSION_CHILD";

} // namespace

// Runs only in the version matrix (tests/CMakeLists.txt), on the version named by the
// variable.
TEST(WindowsVersionChild, CreatesTheWindow)
{
    const char* expected = std::getenv(kChildVariable);
    if (!expected) GTEST_SKIP() << "runs in the version matrix only";

    const DWORD version = ::GetVersion();
    const std::string reported =
        std::to_string(LOBYTE(LOWORD(version))) + "." + std::to_string(HIBYTE(LOWORD(version)));
    ASSERT_EQ(reported, expected);

    ts::TipModule module;
    EXPECT_EQ(module.Api().Changed(), 0);
    ASSERT_EQ(module.Create(), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    ts::PumpMessages();
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, ts::TipControl::kClient.cx);
    EXPECT_EQ(client.bottom, ts::TipControl::kClient.cy);
    HWND memo = module.Child(ts::tip::kMemoGerman);
    ASSERT_NE(memo, nullptr);
    EXPECT_GT(::GetWindowTextLengthA(memo), 0);
    // The OK button shows its image: a blue-violet tile, not the white background.
    const ts::Image image = ts::Image::Capture(window, true);
    const COLORREF tile = image.Pixel(ts::tip::kOK.left + 4, ts::tip::kOK.top + 4);
    EXPECT_GT(GetBValue(tile), GetGValue(tile) + 40);
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_EQ(module.Window(), nullptr);
}
