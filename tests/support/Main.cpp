#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // The program runs under the user's locale; the tests pin one so results do not drift.
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
