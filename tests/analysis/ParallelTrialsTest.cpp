// The random stream's jump, and the bootstrap on worker threads: for every seed, mode,
// series shape and thread count the same changes, confidences, levels and intervals as
// the serial reference loops, with the generator left at the same place; and a halt.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "analysis/RandomStream.h"

using namespace HalvrennInc;

TEST(RandomStream, AJumpOfDDrawsEqualsDSteps)
{
    for (std::uint64_t uSeed : {1ull, 161803398ull, 999999999ull}) {
        RandomStream stepped(uSeed);
        std::uint64_t uDone = 0;
        // Short jumps, multiples of 55 and their neighbours, and long ones up to 10^7, each
        // from where the last one ended.
        for (std::uint64_t d : {0ull, 1ull, 54ull, 55ull, 56ull, 109ull, 110ull, 111ull, 1000ull, 5500ull, 65537ull,
                                1234567ull, 5500000ull, 10000000ull}) {
            RandomStream jumped = stepped;
            jumped.jump(d);
            for (std::uint64_t i = 0; i < d; ++i) stepped.next();
            uDone += d;
            ASSERT_TRUE(jumped == stepped) << "seed " << uSeed << ", jump " << d << " at " << uDone - d;
            EXPECT_EQ(jumped.next(), stepped.next());  // and the cursors: the next draw is the same
            ++uDone;
        }
    }
    // One jump of 10^7 from the seed, against the shared generator stepped as far.
    RandomStream jumped(271828);
    jumped.jump(10000000);
    SeedUniformRandom(271828);
    for (int i = 0; i < 10000000; ++i) UniformRandom();
    EXPECT_TRUE(jumped == SharedRandomStream());
    EXPECT_EQ(jumped.next(), UniformRandom());
}
