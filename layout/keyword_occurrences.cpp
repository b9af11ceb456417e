// The sweep for keywords and CRs: a vector filter that rules out most places sixteen at a time where the
// processor allows, then an exact comparison of every place the filter lets through.
#include "layout/keyword_occurrences.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define BRELVIX_VECTOR_SEARCH 1
#endif

#include <utility>

namespace brelvix {

namespace {

bool entryAt(std::u16string_view text, std::size_t offset, std::u16string_view entry) {
    if (entry.size() > text.size() - offset) {
        return false;
    }
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (upperAscii(text[offset + i]) != entry[i]) {
            return false;
        }
    }
    return true;
}

// Records the lowest-index entry that starts with `first`, at `offset`, and for which `startsAt` holds.
template <typename StartsAt>
void recordEntryAt(const KeywordTable& table, char16_t first, std::size_t offset,
                   KeywordOccurrences& occurrences, StartsAt&& startsAt) {
    if (!KeywordTable::canStartEntry(first)) {
        return;
    }
    for (const std::int16_t index : table.candidatesStartingWith(first)) {
        if (index < 0) {
            return;
        }
        if (startsAt(index)) {
            occurrences.add(offset, index);
            return;
        }
    }
}

void recordOneAt(const KeywordTable& table, std::u16string_view text, std::size_t offset,
                 KeywordOccurrences& occurrences) {
    const char16_t c = text[offset];
    if (c == u'\r') {
        occurrences.add(offset, lineBreakKind(text, offset));
        return;
    }
    recordEntryAt(table, c, offset, occurrences,
                  [&](std::int16_t index) { return entryAt(text, offset, table.entry(index)); });
}

void recordOneByOne(const KeywordTable& table, std::u16string_view text, std::size_t from,
                    KeywordOccurrences& occurrences) {
    for (std::size_t offset = from; offset < text.size(); ++offset) {
        recordOneAt(table, text, offset, occurrences);
    }
}

#ifdef BRELVIX_VECTOR_SEARCH

constexpr std::size_t lanes = 16;

// Sixteen code units as bytes. ASCII stays itself; any other unit becomes 0 or a byte of 0x80 and up, none of
// which is a CR or a comma or starts an entry. The filter only needs to let every real start through.
__attribute__((target("ssse3"))) inline __m128i narrowed(const char16_t* units) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8));
    return _mm_packus_epi16(low, high);
}

__attribute__((target("ssse3"))) inline __m128i loaded(const std::array<std::uint8_t, 16>& map) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(map.data()));
}

// The buckets whose entries may have each of the sixteen bytes at their k-th fingerprint place.
template <std::size_t k>
__attribute__((target("ssse3"))) inline __m128i bucketsAt(const KeywordTable::Fingerprint& fingerprint,
                                                          __m128i bytes) {
    const __m128i nibble = _mm_set1_epi8(0xF);
    const __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    const __m128i low = _mm_and_si128(folded, nibble);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(folded, 4), nibble);
    return _mm_and_si128(_mm_shuffle_epi8(loaded(fingerprint.lowNibble[k]), low),
                         _mm_shuffle_epi8(loaded(fingerprint.highNibble[k]), high));
}

// The bytes `place` further on: the block's own, continued by the next block's.
template <std::size_t place>
__attribute__((target("ssse3"))) inline __m128i ahead(__m128i block, __m128i next) {
    if constexpr (place == 0) {
        return block;
    } else {
        return _mm_alignr_epi8(next, block, place);
    }
}

template <std::size_t... k>
__attribute__((target("ssse3"))) inline __m128i possibleStarts(const KeywordTable::Fingerprint& fingerprint,
                                                               __m128i block, __m128i next,
                                                               std::index_sequence<k...>) {
    __m128i buckets = _mm_set1_epi8(-1);
    ((buckets = _mm_and_si128(
          buckets, bucketsAt<k>(fingerprint, ahead<KeywordTable::fingerprintPlaces[k]>(block, next)))),
     ...);
    return buckets;
}

// Whether the entry starts at `units`, which must have sixteen readable code units. SSE2 only, which every
// x86-64 processor has.
inline bool wideEntryAt(const KeywordTable::WideEntry& entry, std::size_t length, const char16_t* units) {
    unsigned matched = 0;
    for (std::size_t half = 0; half * 8 < length; ++half) {
        const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + half * 8));
        const __m128i lowered = _mm_or_si128(
            text, _mm_loadu_si128(reinterpret_cast<const __m128i*>(entry.caseBit.data() + half * 8)));
        const __m128i wanted =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(entry.lowerText.data() + half * 8));
        matched |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(lowered, wanted))) << (half * 16);
    }
    const unsigned needed = length * 2 >= 32 ? ~0U : (1U << (length * 2)) - 1;
    return (matched & needed) == needed;
}

// Returns where it stopped: the last places are left to the one-by-one search, since both the filter and the
// comparison read ahead.
__attribute__((target("ssse3"))) std::size_t
recordByVector(const KeywordTable& table, std::u16string_view text, KeywordOccurrences& occurrences) {
    const auto& fingerprint = table.fingerprint();
    const __m128i none = _mm_setzero_si128();
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i shortEntry = _mm_set1_epi8(static_cast<char>(fingerprint.shortEntry));
    const char16_t* units = text.data();
    if (text.size() < 3 * lanes) {
        return 0;
    }
    std::size_t block = 0;
    __m128i current = narrowed(units);
    for (; block + 3 * lanes <= text.size(); block += lanes) {
        const __m128i next = narrowed(units + block + lanes);
        const __m128i buckets = possibleStarts(
            fingerprint, current, next, std::make_index_sequence<KeywordTable::fingerprintPlaces.size()>());
        // Narrowing keeps a CR or a comma only where the code unit is one, so these two need no second look.
        const auto lineBreaks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(current, cr)));
        const auto shortEntries =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(current, shortEntry)));
        const unsigned letters =
            ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(buckets, none))) & 0xFFFF;
        for (unsigned places = letters | lineBreaks | shortEntries; places != 0; places &= places - 1) {
            const unsigned place = static_cast<unsigned>(__builtin_ctz(places));
            const std::size_t offset = block + place;
            if ((shortEntries >> place) & 1U) {
                occurrences.add(offset, fingerprint.shortEntryIndex);
            } else if ((lineBreaks >> place) & 1U) {
                occurrences.add(offset, lineBreakKind(text, offset));
            } else {
                recordEntryAt(table, text[offset], offset, occurrences, [&](std::int16_t index) {
                    return wideEntryAt(table.wideEntry(index), table.entry(index).size(),
                                       text.data() + offset);
                });
            }
        }
        current = next;
    }
    return block;
}

#endif

} // namespace

KeywordOccurrences findOccurrencesOneByOne(const KeywordTable& table, std::u16string_view text) {
    KeywordOccurrences occurrences;
    recordOneByOne(table, text, 0, occurrences);
    return occurrences;
}

KeywordOccurrences findOccurrences(const KeywordTable& table, std::u16string_view text) {
#ifdef BRELVIX_VECTOR_SEARCH
    if (__builtin_cpu_supports("ssse3")) {
        KeywordOccurrences occurrences;
        occurrences.reserve(text.size() / 16);
        const std::size_t rest = recordByVector(table, text, occurrences);
        recordOneByOne(table, text, rest, occurrences);
        return occurrences;
    }
#endif
    return findOccurrencesOneByOne(table, text);
}

} // namespace brelvix
