// The application's version numbers, as the window's caption shows them.
#pragma once

#include <cstdint>

namespace brelvix {

struct AppVersion {
    std::int16_t major;
    std::int16_t minor;
    std::int16_t revision;
};

// The version this program was built as.
AppVersion applicationVersion();

} // namespace brelvix
