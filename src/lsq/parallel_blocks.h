#pragma once
// Independent work on the ROI points, spread over the machine's cores.

#include <functional>

// Calls work(first, last) for the blocks [0, block), [block, 2 block), ... that cover
// [0, count), on `workers` threads (0: one per core) with the calling thread among them,
// and returns when all are done. Blocks go out in order to whichever thread is free, so
// work must write only what belongs to its own items. The helper threads wait for the
// next call for the whole process; when the system refuses a thread, the threads already
// running take its share.
void forEachBlock(int count, int block, int workers, const std::function<void(int, int)>& work);
