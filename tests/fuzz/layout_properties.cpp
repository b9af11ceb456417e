// The fuzzer's properties: nothing but white space is lost, Add String with no prefix is Adjust unless an
// "OR " is involved, and both the search and the layouts agree with the plain pass-by-pass reference.
#include "tests/fuzz/layout_properties.h"

#include "tests/layout/layout_text.h"
#include "tests/layout/reference_layout.h"

#include <algorithm>

namespace brelvix::fuzz {
namespace {

constexpr std::size_t prefixLengthLimit = 32;

std::u16string upperAscii(std::u16string_view text) {
    std::u16string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    });
    return upper;
}

std::string describeHit(KeywordHit hit) {
    return hit.hitPos == NO_HIT ? std::string("NO_HIT")
                                : std::to_string(hit.hitPos) + "/" + std::to_string(hit.hitIndex);
}

bool sameHit(KeywordHit found, KeywordHit expected) {
    return found.hitPos == expected.hitPos && (found.hitPos == NO_HIT || found.hitIndex == expected.hitIndex);
}

std::optional<std::string> checkSearch(const QueryLayout& layout, std::u16string_view text,
                                       const char* what) {
    const auto found = layout.findKeyword(text);
    const auto expected = test::referenceFindKeyword(text);
    if (sameHit(found, expected)) {
        return std::nullopt;
    }
    return std::string("findKeyword on the ") + what + " gave " + describeHit(found) + ", the reference " +
           describeHit(expected);
}

// Removing the prefix where a result line opens with it tells the layout's text from the source's only
// while no line copied unchanged from the source can open with the prefix too (a source line after CR LF,
// or after an LF that a prefix ending in CR turns into CR LF), and while the final ";" that moves to a line
// of its own cannot be the prefix's own (a prefix ending in ";" before an empty tail).
bool prefixIsUnambiguous(const LayoutInput& input) {
    const std::u16string lineStart = input.prefix.ends_with(u'\r') ? u"\n" : u"\r\n";
    return !input.prefix.ends_with(u';') &&
           input.source.find(lineStart + input.prefix) == std::u16string::npos;
}

} // namespace

LayoutInput decodeLayoutInput(const std::uint8_t* data, std::size_t size) {
    LayoutInput input;
    if (size == 0) {
        return input;
    }
    std::u16string units;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    const auto prefixLength = std::min<std::size_t>(data[0] % prefixLengthLimit, units.size());
    input.prefix = units.substr(0, prefixLength);
    input.source = units.substr(prefixLength);
    return input;
}

std::optional<std::string> findViolation(const QueryLayout& layout, const LayoutInput& input) {
    for (const auto& [text, what] :
         {std::pair{&input.source, "source"}, std::pair{&input.prefix, "prefix"}}) {
        if (auto violation = checkSearch(layout, *text, what)) {
            return violation;
        }
    }

    const auto adjusted = layout.adjustLayout(input.source);
    const auto withPrefix = layout.addStringLayout(input.source, input.prefix);
    const auto withoutPrefix = layout.addStringLayout(input.source, u"");

    const auto kept = test::essence(input.source);
    if (test::essence(adjusted) != kept) {
        return "Adjust lost or changed a character other than white space";
    }
    if (test::essence(withoutPrefix) != kept) {
        return "Add String with no prefix lost or changed a character other than white space";
    }
    if (prefixIsUnambiguous(input) && test::essence(withPrefix, input.prefix) != kept) {
        return "Add String lost or changed a character other than white space";
    }
    if (upperAscii(input.source).find(u"OR ") == std::u16string::npos && withoutPrefix != adjusted) {
        return "Add String with no prefix differs from Adjust on a source without \"OR \"";
    }
    if (adjusted != test::referenceLayout(input.source, u"", test::OrBlank::OpensNextLine)) {
        return "Adjust differs from the pass-by-pass reference";
    }
    if (withPrefix != test::referenceLayout(input.source, input.prefix, test::OrBlank::Consumed)) {
        return "Add String differs from the pass-by-pass reference";
    }
    return std::nullopt;
}

} // namespace brelvix::fuzz
