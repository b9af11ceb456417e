// The properties that the engine's fuzzer checks on every input, kept apart from libFuzzer so that the
// saved inputs can be replayed by an ordinary test under any compiler.
#pragma once

#include "layout/query_layout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brelvix::fuzz {

struct LayoutInput {
    std::u16string source;
    std::u16string prefix;
};

// The first byte gives the prefix's length in code units (modulo 32); the bytes after it are UTF-16LE code
// units, the prefix's first and then the source's. An odd last byte is ignored.
LayoutInput decodeLayoutInput(const std::uint8_t* data, std::size_t size);

// What the engine got wrong on this input, or nothing when every property holds.
std::optional<std::string> findViolation(const QueryLayout& layout, const LayoutInput& input);

} // namespace brelvix::fuzz
