// QueryLayout behind the window's LayoutEngine interface.
#include "window/layout_engine.h"

#include "layout/query_layout.h"

namespace brelvix {

namespace {

class QueryLayoutEngine final : public LayoutEngine {
public:
    std::u16string adjustLayout(std::u16string_view source) const override {
        return queryLayout_.adjustLayout(source);
    }

    std::u16string addStringLayout(std::u16string_view source, std::u16string_view prefix) const override {
        return queryLayout_.addStringLayout(source, prefix);
    }

private:
    QueryLayout queryLayout_;
};

} // namespace

std::unique_ptr<LayoutEngine> createQueryLayout() {
    return std::make_unique<QueryLayoutEngine>();
}

} // namespace brelvix
