#include "lsq/parallel_blocks.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace {

int threadCount(int workers, int blocks) {
    const int wanted =
        workers > 0 ? workers : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(wanted, 1, std::max(blocks, 1));
}

}  // namespace

void forEachBlock(int count, int block, int workers, const std::function<void(int, int)>& work) {
    if (count <= 0 || block <= 0) return;
    const int blocks = (count - 1) / block + 1;
    std::atomic<int> next{0};
    const auto takeBlocks = [&] {
        for (int b = next.fetch_add(1); b < blocks; b = next.fetch_add(1)) {
            const int first = b * block;
            work(first, std::min(count - first, block) + first);
        }
    };

    std::vector<std::thread> helpers;
    for (int t = 1; t < threadCount(workers, blocks); ++t) {
        try {
            helpers.emplace_back(takeBlocks);
        } catch (const std::system_error&) {
            break;
        }
    }
    takeBlocks();
    for (std::thread& helper : helpers) helper.join();
}
