// A deliberately plain layout to check the engine against: every pass searches the whole remaining text
// again, in a fresh upper-cased copy, just as the rules read.
#pragma once

#include "layout/query_layout.h"

#include <array>
#include <string>
#include <string_view>

namespace brelvix::test {

enum class OrBlank { OpensNextLine, Consumed };

// The keywords in their search order, written out again here so that a change to the engine's table shows.
const std::array<std::u16string, 19>& referenceKeywords();

KeywordHit referenceFindKeyword(std::u16string_view rest);
std::u16string referenceLayout(std::u16string_view source, std::u16string_view prefix, OrBlank orBlank);

} // namespace brelvix::test
