// Replays every saved fuzzer input, the seeds and the inputs that once broke a property, with any compiler.
#include "tests/fuzz/layout_properties.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace brelvix::fuzz {
namespace {

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The seeds, and every input that once broke a property, which stays here as a regression test.
TEST(SavedFuzzInputs, KeepEveryProperty) {
    const QueryLayout layout;
    int replayed = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(BRELVIX_FUZZ_INPUTS) / folder)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".md") {
                continue;
            }
            const auto bytes = readBytes(entry.path());
            const auto violation = findViolation(layout, decodeLayoutInput(bytes.data(), bytes.size()));
            EXPECT_FALSE(violation.has_value()) << entry.path() << ": " << violation.value_or("");
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no saved inputs under " << BRELVIX_FUZZ_INPUTS;
}

} // namespace
} // namespace brelvix::fuzz
