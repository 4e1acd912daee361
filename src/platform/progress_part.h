#pragma once

#include "platform/host.h"

#include <algorithm>
#include <cstddef>

namespace vorn {

// A stretch of a larger task's progress: the whole of what is reported here moves the larger
// task from `from` to `to` thousandths.
class ProgressPart final : public Progress {
public:
    static constexpr size_t kWhole = 1000;

    ProgressPart(Progress* whole, size_t from, size_t to) : whole_(whole), from_(from), to_(to) {}
    void report(size_t done, size_t total) override
    {
        if (!whole_ || total == 0) return;
        whole_->report(from_ + (to_ - from_) * std::min(done, total) / total, kWhole);
    }

private:
    Progress* whole_;
    size_t from_;
    size_t to_;
};

} // namespace vorn
