#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace db::embedded::types {

// The products' collation (case-insensitive, accent-sensitive): letter case and trailing
// blanks are ignored, every other character compares as written, by code point. Arabic yeh
// U+064A and Persian yeh U+06CC stay different, as do the two kafs.
int compareText(std::string_view left, std::string_view right);

// A key whose byte order is compareText's order: equal keys for texts the collation holds
// equal. For GROUP BY, DISTINCT and indexes, and for a SQLite collation.
std::string sortKey(std::string_view text);

// `text LIKE pattern [ESCAPE escape]` on characters: % any run, _ one character, [a-f] and
// [xyz] one of a set, [^x] one outside it; case ignored as compareText ignores it. Trailing
// blanks of `text` may go unmatched, as SQL Server lets them.
bool like(std::string_view text, std::string_view pattern, std::optional<char32_t> escape = std::nullopt);

// The 1-based position of the first match of `pattern` (with PATINDEX's % at either end) in
// `text`, 0 when none.
int patternIndex(std::string_view pattern, std::string_view text);

}  // namespace db::embedded::types
