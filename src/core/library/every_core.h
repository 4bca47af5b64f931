// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `body(i)` for every i below `count`, on every core through a oneTBB pipeline (each
// stage checked under ThreadSanitizer, see thread_checks.h), until `cancel`.

#include <tbb/parallel_pipeline.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "library/thread_checks.h"

namespace pw::library {

template <class Body>
void onEveryCore(std::size_t count, const std::atomic<bool>& cancel, Body body) {
    if (count == 0) return;
    std::size_t next = 0;
    const int run = 0;
    const auto tokens =
        static_cast<std::size_t>(std::max(1, tbb::this_task_arena::max_concurrency())) * 4;
    pipelineStarts(&run);
    tbb::parallel_pipeline(
        tokens,
        tbb::make_filter<void, std::size_t>(tbb::filter_mode::serial_in_order,
                                            checkedStage(&run,
                                                         [&](tbb::flow_control& fc) -> std::size_t {
                                                             if (next == count || cancel) {
                                                                 fc.stop();
                                                                 return 0;
                                                             }
                                                             return next++;
                                                         })) &
            tbb::make_filter<std::size_t, void>(
                tbb::filter_mode::parallel, checkedStage(&run, [&](std::size_t i) { body(i); })));
    pipelineDone(&run);
}

}  // namespace pw::library
