// The probing layout behind LayoutProbe.
#include "tests/window/probe_layout.h"

#include <memory>
#include <stdexcept>

namespace brelvix::testing {

namespace {

class ProbeLayout final : public LayoutEngine {
public:
    explicit ProbeLayout(LayoutProbe& probe)
        : probe_(probe) {}

    std::u16string adjustLayout(std::u16string_view source) const override {
        return answer(source, {}, u"A[" + std::u16string(source) + u"]");
    }
    std::u16string addStringLayout(std::u16string_view source, std::u16string_view prefix) const override {
        return answer(source, prefix, u"S[" + std::u16string(prefix) + u"|" + std::u16string(source) + u"]");
    }

private:
    std::u16string answer(std::u16string_view source, std::u16string_view prefix,
                          std::u16string result) const {
        probe_.source = source;
        probe_.prefix = prefix;
        if (probe_.whileRunning) {
            probe_.whileRunning();
        }
        switch (probe_.failure) {
        case LayoutProbe::Failure::Standard:
            throw std::runtime_error(probe_.description);
        case LayoutProbe::Failure::Other:
            throw 42;
        case LayoutProbe::Failure::None:
            break;
        }
        return result;
    }

    LayoutProbe& probe_;
};

} // namespace

LoadSteps LayoutProbe::loadSteps() {
    LoadSteps steps;
    steps.createLayout = [this] { return std::make_unique<ProbeLayout>(*this); };
    return steps;
}

} // namespace brelvix::testing
