#include "tests/module/TipModule.h"

#include <gtest/gtest.h>

TEST(ModuleExports, ReportStateBeforeCreate)
{
    ts::TipModule module;
    EXPECT_EQ(module.Api().Changed(), 0);
    EXPECT_EQ(module.Api().Nr(), 2);
}

TEST(ModuleExports, CreateShowsTheWindowWhereTheHostSays)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.left = 120;
    args.top = 40;
    args.caption = "Host caption";
    EXPECT_EQ(module.Create(args), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(ts::WindowText(window), "Host caption");
    RECT r, client;
    ::GetWindowRect(window, &r);
    ::GetClientRect(window, &client);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, args.width);
    EXPECT_EQ(r.bottom - r.top, args.height);
    EXPECT_EQ(client.right, 292);
    EXPECT_EQ(client.bottom, 426);
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_EQ(module.Window(), nullptr);
}
