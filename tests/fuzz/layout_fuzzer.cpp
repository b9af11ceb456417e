// libFuzzer's entry: every input is a source and a prefix, and any broken property stops the run.
#include "tests/fuzz/layout_properties.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const brelvix::QueryLayout layout;
    if (const auto violation =
            brelvix::fuzz::findViolation(layout, brelvix::fuzz::decodeLayoutInput(data, size))) {
        std::fprintf(stderr, "layout property broken: %s\n", violation->c_str());
        std::abort();
    }
    return 0;
}
