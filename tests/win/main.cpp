// The Wine tests' entry: the test program is itself the application, with its own profile.
#include <gtest/gtest.h>

#include "support.h"

namespace {
TestApp app;
}

TestApp& testApp()
{
    return app;
}

int main(int argc, char** argv)
{
    app.takeModuleNames(GetModuleHandleA(nullptr));
    app.setDialogColors(kDialogBackground, kDialogText);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
