#pragma once
// What a test of saving needs around the real Tipp211.dll: System.INI saved and put back,
// message boxes and the restart intercepted, and a party that receives the broadcasts.
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/ShutdownRecorder.h"
#include "tests/support/SystemIni.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

namespace ts {

// The restart question's first words.
inline constexpr char kRestartQuestionStart[] = "Um diese \xC4nderung";

class SavingTip : public testing::Test {
protected:
    // Creates the tip window as the host does, in `language` on a system of `osMask`'s, and
    // forgets what the party received until then; null when no window came.
    HWND OpenWindow(int language = 0, int osMask = 0x1FFF)
    {
        CreateArgs args;
        args.language = language;
        args.osMask = osMask;
        EXPECT_EQ(tip.Create(args), 0);
        party.Clear();
        return tip.Window();
    }
    // Whether the restart question was asked.
    bool Asked() const
    {
        for (const std::string& text : boxes.Texts())
            if (text.rfind(kRestartQuestionStart, 0) == 0) return true;
        return false;
    }
    // ModulSaveChanges: 1 when it returned, 0 when a failure was raised out of it.
    ModuleApi::Failure Save()
    {
        ModuleApi::Failure failure;
        const int result = tip.Api().SaveChanges(failure);
        EXPECT_EQ(result, failure.raised ? 0 : 1);
        return failure;
    }

    SystemIni saved;
    TipModule tip;
    MessageBoxRecorder boxes{tip.Library()};
    ShutdownRecorder shutdown{tip.Library()};
    MessageParty party;
};

} // namespace ts
