// The two layouts as the window runs them, behind an interface so that tests can watch or fail them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace brelvix {

class LayoutEngine {
public:
    virtual ~LayoutEngine() = default;

    virtual std::u16string adjustLayout(std::u16string_view source) const = 0;
    virtual std::u16string addStringLayout(std::u16string_view source, std::u16string_view prefix) const = 0;
};

// The real engine, QueryLayout with its keyword table filled.
std::unique_ptr<LayoutEngine> createQueryLayout();

} // namespace brelvix
