// The random stream's jump, and the bootstrap on worker threads: for every seed, mode,
// series shape and thread count the same changes, confidences, levels and intervals as
// the serial reference loops, with the generator left at the same place; and a halt.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "StatusRecorder.h"
#include "analysis/ChangePointFunctions.h"
#include "analysis/ParallelTrials.h"
#include "analysis/RandomStream.h"
#include "analysis/WideKernels.h"

using namespace HalvrennInc;

TEST(RandomStream, AJumpOfDDrawsOrABlockOfDDrawsEqualsDSteps)
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
    // Draws worked out a block at a time are the draws one by one, whatever the count.
    RandomStream blocks(4), single(4);
    for (std::uint32_t uCount : {0u, 1u, 3u, 24u, 55u, 1023u, 1024u, 1025u, 9999u}) {
        std::vector<double> draws(uCount);
        blocks.fill(draws.data(), uCount);
        for (double d : draws) ASSERT_EQ(d, single.next()) << uCount;
        EXPECT_TRUE(blocks == single) << uCount;
    }
    EXPECT_EQ(blocks.next(), single.next());

    // One jump of 10^7 from the seed, against the shared generator stepped as far.
    RandomStream jumped(271828);
    jumped.jump(10000000);
    SeedUniformRandom(271828);
    for (int i = 0; i < 10000000; ++i) UniformRandom();
    EXPECT_TRUE(jumped == SharedRandomStream());
    EXPECT_EQ(jumped.next(), UniformRandom());
}

namespace {

struct ChangeList : ListPointers {
    ~ChangeList() override { ClearChanges(*this); }
    const ChangeStructure& operator[](std::uint32_t k) const { return *itemAs<ChangeStructure>(k); }
};

//! Everything a run leaves: the changes with their confidences' bits, the progress calls,
//! whether it finished, and the stream.
struct Outcome {
    bool bFinished = false;
    std::vector<std::vector<std::uint64_t>> changes;
    std::vector<std::tuple<int, std::string, double>> calls;
    RandomStream stream;
};

::testing::AssertionResult Same(const Outcome& a, const Outcome& b)
{
    if (a.bFinished != b.bFinished) return ::testing::AssertionFailure() << "finished " << a.bFinished;
    if (a.changes != b.changes) return ::testing::AssertionFailure() << "changes differ";
    if (a.calls != b.calls)
        return ::testing::AssertionFailure() << "progress differs: " << a.calls.size() << " calls, " << b.calls.size();
    if (!(a.stream == b.stream)) return ::testing::AssertionFailure() << "the stream ends elsewhere";
    return ::testing::AssertionSuccess();
}

//! The whole procedure with 300 trials on a stream seeded with uSeed; uHaltAt > 0 halts at
//! that progress call.
Outcome Analyze(const std::vector<Real>& values, bool bWithReplacement, std::uint64_t uSeed,
                const TrialSettings& settings, std::size_t uHaltAt = 0)
{
    Outcome outcome;
    outcome.stream.seed(uSeed);
    TrialSettings run = settings;
    run.pStream = &outcome.stream;
    StatusRecorder recorder;
    if (uHaltAt)
        recorder.halt = [uHaltAt](const StatusRecorder& r) {
            return std::count_if(r.calls.begin(), r.calls.end(), [](const auto& c) { return c.iCode == scProgress; }) >=
                   static_cast<std::ptrdiff_t>(uHaltAt);
        };
    ChangeList changes;
    outcome.bFinished =
        AnalyzeChanges(0, static_cast<std::uint32_t>(values.size() - 1), values.data(), changes, 300, 90.0, 95.0,
                       bWithReplacement, nullptr, &StatusRecorder::Callback, &recorder, run);
    for (std::uint32_t k = 1; k <= changes.count(); ++k)
        outcome.changes.push_back({changes[k].uPosition, std::bit_cast<std::uint64_t>(changes[k].rConfidence.value()),
                                   changes[k].uLevel, changes[k].uIntervalLower, changes[k].uIntervalUpper});
    for (const auto& call : recorder.calls) outcome.calls.emplace_back(call.iCode, call.sText, call.dPercent);
    return outcome;
}

//! The wide kernels on or off while it lives (on again afterwards, where the processor
//! has them).
class WideKernels {
public:
    explicit WideKernels(bool bEnabled) { kernel::wide::SetEnabled(bEnabled); }
    ~WideKernels() { kernel::wide::SetEnabled(true); }
    WideKernels(const WideKernels&) = delete;
    WideKernels& operator=(const WideKernels&) = delete;
};

//! Noise with the given levels in equal runs, times dScale.
std::vector<Real> Shifts(std::uint32_t uCount, std::initializer_list<double> levels, std::uint64_t uSeed,
                         double dScale = 1.0)
{
    RandomStream noise(uSeed);
    std::vector<Real> values;
    const std::vector<double> runs(levels);
    for (std::uint32_t i = 0; i < uCount; ++i)
        values.emplace_back((runs[i * runs.size() / uCount] + noise.next()) * dScale);
    return values;
}

}  // namespace

TEST(ParallelTrials, EveryThreadCountGivesTheSerialResultsAndLeavesTheStreamInPlace)
{
    std::vector<std::pair<const char*, std::vector<Real>>> shapes = {
        {"shifts", Shifts(2400, {0.0, 0.5, 0.2, 0.9, 0.6}, 1)},
        {"no shift", Shifts(2400, {0.0}, 2)},
        // Values beyond the moderate magnitudes take the guarded path.
        {"wide", Shifts(2000, {0.0, 0.8, 0.3}, 3, 1e40)},
        // Short: every call on the calling thread alone.
        {"short", Shifts(90, {0.0, 1.0}, 4)},
    };
    auto withInvalid = shapes[0].second;
    withInvalid[1700].setMessage("Missing");
    shapes.emplace_back("invalid value", withInvalid);
    std::vector<Real> ranks(shapes[0].second.size());
    ComputeRanks(static_cast<std::uint32_t>(ranks.size()), shapes[0].second.data(), ranks.data());
    shapes.emplace_back("ranks", ranks);

    for (const auto& [psShape, values] : shapes) {
        for (bool bWithReplacement : {false, true}) {
            for (std::uint64_t uSeed : {5u, 77u}) {
                const Outcome reference = Analyze(values, bWithReplacement, uSeed, {nullptr, 1, true});
                EXPECT_TRUE(reference.bFinished);
                for (bool bWide : {true, false}) {
                    const WideKernels wide(bWide);
                    // The one-trial kernels on fewer thread counts: the split is the same.
                    for (unsigned uThreads :
                         bWide ? std::vector<unsigned>{1, 2, 3, 8, 1000} : std::vector<unsigned>{1, 3})
                        EXPECT_TRUE(
                            Same(Analyze(values, bWithReplacement, uSeed, {nullptr, uThreads, false}), reference))
                            << psShape << (bWithReplacement ? " with" : " without") << " replacement, seed " << uSeed
                            << ", " << uThreads << " threads" << (bWide ? "" : ", one-trial kernels");
                }
            }
        }
    }
    // The first bootstrap of the long series is split over the threads, the short one's not.
    EXPECT_EQ(trials::WorkerCount({300, 2399, trials::ProgressForm::Bootstrap}, 3), 3u);
    EXPECT_EQ(trials::WorkerCount({300, 89, trials::ProgressForm::Bootstrap}, 3), 1u);
    // The shifts are found, so the later stages had work.
    EXPECT_GE(Analyze(shapes[0].second, false, 5, {nullptr, 2, false}).changes.size(), 3u);
}

TEST(ParallelTrials, AHaltStopsTheWorkersAndLeavesNothingHalfWritten)
{
    // A bootstrap at 10000 points on three threads, halted at its fourth progress call.
    const std::vector<Real> values = Shifts(10000, {0.0, 0.3}, 6);
    std::vector<std::uint32_t> indexes(values.size());
    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(0, 9999, values.data(), rRange, uPosition);
    auto halted = [&](const TrialSettings& settings, RandomStream& stream, std::vector<double>& percents) {
        StatusRecorder recorder;
        recorder.haltAtCall(4);
        TrialSettings run = settings;
        run.pStream = &stream;
        Real rConfidence(-1.0);
        EXPECT_FALSE(BootstrapConfidence(rRange, 0, 9999, indexes.data(), values.data(), rConfidence, 1000, false,
                                         &StatusRecorder::Callback, &recorder, run));
        EXPECT_EQ(rConfidence.value(), -1.0);  // unwritten
        for (const auto& call : recorder.calls) percents.push_back(call.dPercent);
    };
    RandomStream parallel(31), serial(31);
    std::vector<double> parallelPercents, serialPercents;
    halted({nullptr, 3, false}, parallel, parallelPercents);
    halted({nullptr, 1, true}, serial, serialPercents);
    EXPECT_EQ(parallelPercents, (std::vector<double>{10.0, 20.0, 30.0, 40.0}));  // no call after the halt
    EXPECT_EQ(parallelPercents, serialPercents);
    EXPECT_TRUE(parallel == serial);  // the generator stands where the serial loop stopped

    // The whole procedure halted at any progress call of any stage, the intervals' last one
    // included: no changes, the same calls, the same place in the stream.
    const std::vector<Real> shifts = Shifts(2400, {0.0, 0.5, 0.2, 0.9, 0.6}, 1);
    const Outcome full = Analyze(shifts, true, 8, {nullptr, 3, false});
    const auto uProgressCalls = static_cast<std::size_t>(std::count_if(
        full.calls.begin(), full.calls.end(), [](const auto& c) { return std::get<0>(c) == scProgress; }));
    for (std::size_t uHaltAt :
         {std::size_t{2}, std::size_t{9}, uProgressCalls / 2, uProgressCalls - 1, uProgressCalls}) {
        const Outcome outcome = Analyze(shifts, true, 8, {nullptr, 3, false}, uHaltAt);
        EXPECT_FALSE(outcome.bFinished) << uHaltAt;
        EXPECT_TRUE(outcome.changes.empty()) << uHaltAt;
        EXPECT_TRUE(Same(outcome, Analyze(shifts, true, 8, {nullptr, 1, true}, uHaltAt))) << uHaltAt;
    }
}

TEST(ParallelTrials, AwkwardValuesGiveTheSerialConfidencesAndIntervals)
{
    // Nearly equal values (ties of the CUSUM's extremes and of the fits), the largest and
    // smallest moderate magnitudes with zeros, and magnitudes beyond them.
    auto awkward = [](int iKind, std::uint32_t uCount) {
        RandomStream random(static_cast<std::uint64_t>(iKind) + 100);
        std::vector<Real> values;
        for (std::uint32_t i = 0; i < uCount; ++i) {
            const auto k = static_cast<int>(random.next() * 1000);
            const double sign = k % 2 ? -1.0 : 1.0;
            switch (iKind) {
                case 0: values.emplace_back((k % 3 ? 1.0 : 1e5) * (1.0 + (k % 7 - 3) * 0x1p-52)); break;
                case 1:
                    values.emplace_back(k % 4 == 0 ? 0.0
                                        : k % 3    ? sign * 1e30 * (1.0 - (k % 5) * 0x1p-52)
                                                   : sign * 1e-30 * (1.0 + (k % 5) * 0x1p-52));
                    break;
                default: values.emplace_back(sign * (1.0 + k % 9) * (k % 5 ? 1e153 : 1e-152)); break;
            }
        }
        return values;
    };
    for (int iKind = 0; iKind < 3; ++iKind) {
        for (std::uint32_t uCount : {64u, 3000u}) {
            const std::vector<Real> values = awkward(iKind, uCount);
            std::vector<std::uint32_t> indexes(uCount);
            Real rRange;
            std::uint32_t uPosition = 0;
            CusumRange(0, uCount - 1, values.data(), rRange, uPosition);
            for (bool bWithReplacement : {false, true}) {
                auto run = [&](const TrialSettings& settings) {
                    RandomStream stream(3);
                    TrialSettings withStream = settings;
                    withStream.pStream = &stream;
                    Real rConfidence;
                    std::uint32_t uLower = 0, uUpper = 0;
                    EXPECT_TRUE(BootstrapConfidence(rRange, 0, uCount - 1, indexes.data(), values.data(), rConfidence,
                                                    200, bWithReplacement, nullptr, nullptr, withStream));
                    EXPECT_TRUE(ConfidenceInterval(0, uCount / 3, uCount - 1, indexes.data(), values.data(), uLower,
                                                   uUpper, 200, 90.0, bWithReplacement, nullptr, nullptr, withStream));
                    return std::make_tuple(std::bit_cast<std::uint64_t>(rConfidence.value()), uLower, uUpper,
                                           stream.next());
                };
                const auto reference = run({nullptr, 1, true});
                for (bool bWide : {true, false}) {
                    const WideKernels wide(bWide);
                    for (unsigned uThreads : {1u, 3u})
                        EXPECT_EQ(run({nullptr, uThreads, false}), reference)
                            << "kind " << iKind << ", " << uCount << " values, " << uThreads << " threads"
                            << (bWithReplacement ? ", with replacement" : "") << (bWide ? "" : ", one-trial kernels");
                }
            }
        }
    }
}
