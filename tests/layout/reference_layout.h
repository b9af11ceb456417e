// A deliberately plain layout to check the engine against: every pass searches the whole remaining text
// again, in a fresh upper-cased copy, just as the rules read.
#pragma once

#include "layout/query_layout.h"

#include <string>
#include <string_view>

namespace brelvix::test {

enum class OrBlank { OpensNextLine, Consumed };

KeywordHit referenceFindKeyword(std::u16string_view rest);
std::u16string referenceLayout(std::u16string_view source, std::u16string_view prefix, OrBlank orBlank);

} // namespace brelvix::test
