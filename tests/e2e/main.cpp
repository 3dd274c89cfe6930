// The end-to-end driver: GoogleTest cases by default; with --demo FOLDER the headless
// demonstration of Demo.cpp instead.
#include <gtest/gtest.h>

#include <cstring>

#include "Driver.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) return e2e::RunDemo(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
