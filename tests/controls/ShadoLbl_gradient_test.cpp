#include "controls/ShadoLbl.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

namespace {

std::vector<int> Channels(int start, int end, int n) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i)
        v.push_back(GradientChannel(start, end - start, i, n));
    return v;
}

TEST(GradientChannel, TruncatesTheExtendedPrecisionProduct) {
    EXPECT_EQ(Channels(0, 255, 4), (std::vector<int>{0, 84, 169, 255}));
    EXPECT_EQ(Channels(255, 0, 6), (std::vector<int>{255, 203, 152, 102, 50, 0}));
    EXPECT_EQ(Channels(0, 128, 3), (std::vector<int>{0, 64, 128}));
    EXPECT_EQ(Channels(77, 200, 1), (std::vector<int>{77}));
}

// On this machine long double is the 64-bit-significand format the rule is defined in; the
// integer emulation must agree with it everywhere, including the ends.
TEST(GradientChannel, AgreesWithExtendedPrecisionOverASweep) {
    static_assert(LDBL_MANT_DIG == 64);
    const int starts[] = {0, 1, 17, 100, 128, 254, 255};
    const int ends[] = {0, 3, 99, 127, 200, 255};
    const int counts[] = {2, 3, 4, 6, 7, 10, 45, 100, 119, 255, 256, 480, 1000, 4097};
    for (int start : starts)
        for (int end : ends)
            for (int n : counts)
                for (int i = 0; i < n; ++i) {
                    double t = static_cast<double>(i) / static_cast<double>(n - 1);
                    long double v =
                        static_cast<long double>(start) +
                        static_cast<long double>(end - start) * static_cast<long double>(t);
                    ASSERT_EQ(GradientChannel(start, end - start, i, n), static_cast<int>(v))
                        << start << " to " << end << " at " << i << " of " << n;
                }
}

} // namespace
