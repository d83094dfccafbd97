// Calibration of the whole procedure on simulated data: how often it reports a change
// where there is none, and how often it finds a real one in the right place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {

constexpr int kSeries = 300;
constexpr std::uint32_t kLength = 50;

//! Independent standard normal values (Box-Muller on a fixed-seed generator), plus
//! dShift from position kLength / 2 on.
std::vector<Real> NormalSeries(std::mt19937_64& random, double dShift)
{
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<Real> values;
    while (values.size() < kLength) {
        const double u1 = 1.0 - uniform(random);  // in (0, 1]
        const double u2 = uniform(random);
        const double radius = std::sqrt(-2.0 * std::log(u1));
        for (double z : {radius * std::cos(2 * std::numbers::pi * u2), radius * std::sin(2 * std::numbers::pi * u2)})
            if (values.size() < kLength) values.emplace_back(z + (values.size() >= kLength / 2 ? dShift : 0.0));
    }
    return values;
}

//! The changes found at level 90 with 1000 trials.
std::vector<std::uint32_t> Changes(const std::vector<Real>& values)
{
    ListPointers changes;
    EXPECT_TRUE(
        AnalyzeChanges(0, kLength - 1, values.data(), changes, 1000, 90.0, 95.0, false, nullptr, nullptr, nullptr));
    std::vector<std::uint32_t> positions;
    for (std::uint32_t k = 1; k <= changes.count(); ++k)
        positions.push_back(changes.itemAs<ChangeStructure>(k)->uPosition);
    ClearChanges(changes);
    return positions;
}

}  // namespace

TEST(Calibration, WithoutAShiftAboutOneSeriesInTenReportsAChangeAtNinetyPercent)
{
    std::mt19937_64 random(20240601);
    SeedUniformRandom(1);
    int iReported = 0;
    for (int s = 0; s < kSeries; ++s)
        if (!Changes(NormalSeries(random, 0.0)).empty()) ++iReported;
    const double dShare = static_cast<double>(iReported) / kSeries;
    RecordProperty("reported", iReported);
    EXPECT_GE(dShare, 0.05);
    EXPECT_LE(dShare, 0.15);
}

TEST(Calibration, AShiftOfTwoStandardDeviationsIsFoundNearItsPlace)
{
    std::mt19937_64 random(20240602);
    SeedUniformRandom(2);
    int iFound = 0;
    for (int s = 0; s < kSeries; ++s) {
        for (std::uint32_t uPosition : Changes(NormalSeries(random, 2.0))) {
            if (uPosition + 3 >= kLength / 2 - 1 && uPosition <= kLength / 2 - 1 + 3) {
                ++iFound;
                break;
            }
        }
    }
    RecordProperty("found", iFound);
    EXPECT_GE(static_cast<double>(iFound) / kSeries, 0.90);
}
