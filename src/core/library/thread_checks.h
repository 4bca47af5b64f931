// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// oneTBB hands items from stage to stage of a pipeline, and joins its workers, inside its
// own library, where ThreadSanitizer sees nothing unless that library was built for it.
// Under ThreadSanitizer each stage wrapped by checkedStage() says that it starts after
// every stage of the run that ended before it, and pipelineDone() says that the caller
// goes on after all of them: stages that really overlap are still checked against each
// other. Elsewhere both are nothing.

#include <type_traits>
#include <utility>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace pw::library {

inline void stageStarts([[maybe_unused]] const void* run) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(run));
#endif
}

inline void stageEnds([[maybe_unused]] const void* run) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(run));
#endif
}

// The caller before the pipeline starts and after it returns.
inline void pipelineStarts(const void* run) {
    stageEnds(run);
}
inline void pipelineDone(const void* run) {
    stageStarts(run);
}

// `body` as a stage of the pipeline of run `run`.
template <class Body>
auto checkedStage(const void* run, Body body) {
    return [run, body](auto&&... args) {
        stageStarts(run);
        if constexpr (std::is_void_v<decltype(body(std::forward<decltype(args)>(args)...))>) {
            body(std::forward<decltype(args)>(args)...);
            stageEnds(run);
        } else {
            auto result = body(std::forward<decltype(args)>(args)...);
            stageEnds(run);
            return result;
        }
    };
}

}  // namespace pw::library
