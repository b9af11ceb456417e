// Generates a large query of the kind Access users paste: a UNION of SELECT blocks.
#pragma once

#include <cstddef>
#include <string>

namespace brelvix::bench {

// A query of exactly `size` UTF-16 code units, ending in ";".
std::u16string accessStyleQuery(std::size_t size);

} // namespace brelvix::bench
