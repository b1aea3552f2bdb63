// main() for Windows test programs that need the application object and its
// message loop, as the program has them.
#include "framework/loop/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    stilvane::Application().SetTitle("Stilvane Tests");
    stilvane::Application().Initialize();
    return RUN_ALL_TESTS();
}
