// The bytes of the profile after the bar saves its settings.
#include <gtest/gtest.h>

#include "bar/LauncherBar.h"
#include "support.h"

namespace {

using BarProfile = BarTest;

TEST_F(BarProfile, SaveWritesTheSixKeysInOrder)
{
    open("");
    bar->saveSettings();
    EXPECT_EQ(fileBytes(ownIniPath()),
              "[Env]\r\nCurrent=0\r\nMenuSize=8\r\nSilentSize=10\r\nOverTop=1\r\nSilent=0\r\nMenuPos=1\r\n");
}

TEST_F(BarProfile, SaveWritesWhatTheBarHoldsAndKeepsTheRestOfTheFile)
{
    open("[Menu]\r\nMenuItem0=A\r\n[Env]\r\nSilentSize=-4\r\nMenuPos=top\r\nCurrent=3\r\n");
    EXPECT_EQ(bar->MenuPos, 1);
    bar->Current = -7;
    bar->MenuPos = 0;
    bar->OverTop = 0;
    bar->Silent = 1;
    EXPECT_TRUE(bar->saveSettings());
    // A hand-set band survives the save, whatever its value.
    EXPECT_EQ(fileBytes(ownIniPath()), "[Menu]\r\nMenuItem0=A\r\n[Env]\r\nSilentSize=-4\r\nMenuPos=0\r\nCurrent=-7\r\n"
                                       "MenuSize=8\r\nOverTop=0\r\nSilent=1\r\n");
}

} // namespace
