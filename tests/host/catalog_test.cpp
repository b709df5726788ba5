// What the host hands a module: the catalog's description of a tip and the texts laid
// out as the host toolkit's reference-counted strings.
#include "contract/OSTypes.h"
#include "host/tips/Catalog.h"
#include "host/tips/HostString.h"
#include "host/tips/OSType.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

TEST(Catalog, Tip211IsValidForWindows95And98AndME)
{
    const std::vector<Host::Tip> tips = Host::FindTips(Host::ProgramFolder());
    ASSERT_EQ(tips.size(), 1u);
    const Host::Tip& tip = tips.front();
    EXPECT_EQ(tip.file, "Tipp211.dll");
    EXPECT_EQ(tip.nr, 211);
    EXPECT_EQ(tip.Caption(0), "Auslagerungsdatei verlegen/umbenennen");
    EXPECT_EQ(tip.Caption(1), "Move or rename the paging file");
    EXPECT_FALSE(tip.Hint(0).empty());
    EXPECT_NE(tip.Hint(0), tip.Hint(1));
    for (int osType = 1; osType <= 18; ++osType) {
        const bool valid = osType <= 9 || osType == 12;
        EXPECT_EQ((tip.osMask & OSTypes::Bit(osType)) != 0, valid) << Host::OSTypeName(osType);
    }
}

TEST(Catalog, ADllTheCatalogDoesNotDescribeKeepsItsNumberAndIsValidNowhere)
{
    const Host::Tip tip = Host::ReadTip(Host::ProgramFolder() + "\\Tipps.ini", "Tipp300.dll");
    EXPECT_EQ(tip.nr, 300);
    EXPECT_EQ(tip.Caption(1), "Tipp300.dll");
    EXPECT_EQ(tip.osMask, 0u);
}

TEST(HostString, CountAndLengthStandBeforeTheCharacters)
{
    for (const char* text : {"A", "Move", "Auslagerungsdatei verlegen/umbenennen"}) {
        const Host::HostString s(text);
        const char* p = s.Pointer();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 4, 0u) << "the header is aligned";
        std::int32_t header[2];
        std::memcpy(header, p - 8, sizeof header);
        EXPECT_EQ(header[0], 1) << text;
        EXPECT_EQ(header[1], static_cast<std::int32_t>(std::strlen(text))) << text;
        EXPECT_STREQ(p, text);
    }
    EXPECT_EQ(Host::HostString("").Pointer(), nullptr) << "the empty text is the null pointer";
}
