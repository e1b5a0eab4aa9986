// The choice of the kernel build: names, what may be forced, and the
// environment's say at the first call.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/cpu_variant.h"
#include "engine/kernels.h"
#include "platform/process.h"

namespace sc::engine {

TEST(CpuVariant, NamesRoundTripAndUnknownNamesAreRefused) {
    for (cpu::Variant v : cpu::ALL_VARIANTS) EXPECT_EQ(cpu::variant_named(cpu::name(v)), v);
    EXPECT_FALSE(cpu::variant_named("AVX2"));
    EXPECT_FALSE(cpu::variant_named(""));
    EXPECT_FALSE(cpu::variant_named("avx2 "));
}

TEST(CpuVariant, OnlySupportedBuildsCanBeForced) {
    EXPECT_TRUE(cpu::supported(cpu::Variant::Generic));
    EXPECT_TRUE(cpu::supported(cpu::best()));
    const cpu::Variant before = cpu::active();
    for (cpu::Variant v : cpu::ALL_VARIANTS) {
        if (cpu::supported(v)) {
            EXPECT_TRUE(cpu::force(v));
            EXPECT_EQ(cpu::active(), v);
            // The kernels run, whichever build it is.
            const std::vector<int32_t> x = {3, -40000, 7, 12, 0};
            EXPECT_EQ(kernels::peak(x.data(), 5), 40000) << cpu::name(v);
        } else {
            const cpu::Variant now = cpu::active();
            EXPECT_FALSE(cpu::force(v));
            EXPECT_EQ(cpu::active(), now);
        }
    }
    cpu::force(before);
}

// A fresh process: the first call reads SONOCLAMPER_CPU; a name it cannot
// run (unknown or unsupported) leaves the widest build.
TEST(CpuVariant, TheEnvironmentChoosesAtTheFirstCall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::set_environment_variable("SONOCLAMPER_CPU", "generic");
            std::exit(cpu::active() == cpu::Variant::Generic ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            platform::set_environment_variable("SONOCLAMPER_CPU", "fastest");
            std::exit(cpu::active() == cpu::best() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    for (cpu::Variant v : cpu::ALL_VARIANTS) {
        if (cpu::supported(v)) continue;
        EXPECT_EXIT(
            {
                platform::set_environment_variable("SONOCLAMPER_CPU", cpu::name(v));
                std::exit(cpu::active() == cpu::best() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

}  // namespace sc::engine
