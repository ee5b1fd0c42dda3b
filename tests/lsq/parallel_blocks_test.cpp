#include "lsq/parallel_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// How often each item was handed out, and whether any block broke its bounds.
struct Coverage {
    std::vector<int> visits;
    bool blockOutOfShape = false;
};

Coverage cover(int count, int block, int workers) {
    std::vector<std::atomic<int>> visits(count > 0 ? count : 0);
    std::atomic<bool> outOfShape{false};
    forEachBlock(count, block, workers, [&](int first, int last) {
        if (first < 0 || last > count || last <= first || last - first > block ||
            first % block != 0) {
            outOfShape = true;
            return;
        }
        for (int i = first; i < last; ++i) ++visits[i];
    });
    Coverage coverage;
    for (const std::atomic<int>& v : visits) coverage.visits.push_back(v.load());
    coverage.blockOutOfShape = outOfShape;
    return coverage;
}

}  // namespace

TEST(ForEachBlock, HandsOutEveryItemExactlyOnce) {
    for (const int workers : {0, 1, 2, 5}) {
        for (const int count : {1, 7, 8, 9, 31, 32, 33, 1000}) {
            for (const int block : {1, 8, 32}) {
                const Coverage coverage = cover(count, block, workers);
                EXPECT_FALSE(coverage.blockOutOfShape)
                    << count << " in blocks of " << block << " on " << workers;
                EXPECT_EQ(coverage.visits, std::vector<int>(count, 1))
                    << count << " in blocks of " << block << " on " << workers;
            }
        }
    }
}

TEST(ForEachBlock, NothingToDoCallsNothing) {
    int calls = 0;
    forEachBlock(0, 8, 2, [&](int, int) { ++calls; });
    forEachBlock(-3, 8, 2, [&](int, int) { ++calls; });
    forEachBlock(5, 0, 2, [&](int, int) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(ForEachBlock, ReturnsOnlyWhenEveryBlockIsDone) {
    std::atomic<int> done{0};
    forEachBlock(64, 1, 4, [&](int, int) {
        std::this_thread::yield();
        ++done;
    });
    EXPECT_EQ(done.load(), 64);
}
