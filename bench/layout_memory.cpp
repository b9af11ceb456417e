// Measures the engine's peak heap use on a 64 MiB source (32 Mi UTF-16 code units): every allocation of the
// process is counted, and the figure is the most held at once during a layout beyond the source itself,
// result included. Fails when either layout holds 8 times the source's bytes or more.
#include "bench/access_query.h"
#include "layout/query_layout.h"

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> peakBytes{0};

void noteAllocated(std::size_t bytes) {
    const std::size_t held = heldBytes += bytes;
    std::size_t peak = peakBytes;
    while (held > peak && !peakBytes.compare_exchange_weak(peak, held)) {
    }
}

// Bytes held beyond those held when it was made, at the most, while it lives.
class PeakWatch {
public:
    PeakWatch()
        : base_(heldBytes) {
        peakBytes = base_;
    }
    std::size_t peakAboveBase() const { return peakBytes - base_; }

private:
    std::size_t base_;
};

} // namespace

void* operator new(std::size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    noteAllocated(malloc_usable_size(block));
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        heldBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

int main() {
    constexpr std::size_t units = std::size_t{32} << 20;
    constexpr double limit = 8.0;
    const std::u16string source = brelvix::bench::accessStyleQuery(units);
    const double sourceBytes = static_cast<double>(source.size() * sizeof(char16_t));
    const brelvix::QueryLayout layout;

    bool withinLimit = true;
    const auto report = [&](const char* name, auto run) {
        const PeakWatch watch;
        const std::size_t resultBytes = run().size() * sizeof(char16_t);
        const double times = static_cast<double>(watch.peakAboveBase()) / sourceBytes;
        std::printf(
            "%-11s peak %7.1f MiB = %.2f x the source (result alone %.2f x; with the source %.2f x)\n", name,
            static_cast<double>(watch.peakAboveBase()) / (1 << 20), times,
            static_cast<double>(resultBytes) / sourceBytes, times + 1);
        withinLimit = withinLimit && times < limit;
    };
    std::printf("source      %7.1f MiB (%zu code units)\n", sourceBytes / (1 << 20), source.size());
    report("Adjust", [&] { return layout.adjustLayout(source); });
    report("Add String", [&] { return layout.addStringLayout(source, u"strSQL = strSQL & \""); });
    if (!withinLimit) {
        std::printf("a layout held %.0f times the source's bytes or more\n", limit);
        return 1;
    }
    return 0;
}
