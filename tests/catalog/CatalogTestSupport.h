#pragma once

// Helpers the catalog tests share: names as the presence test compares them, column lists
// written as "name|type; name|type", and SQL Server's reserved keywords.

#include <gtest/gtest.h>

#include "db/embedded/syntax/Tokenizer.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "schema/CatalogEntry.h"

namespace catalogtest {

using Columns = std::vector<std::pair<std::string, std::string>>;

inline std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

inline std::string trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  return std::string(s);
}

// A column name as the presence test compares it: first "[" and first "]" removed, any case.
inline std::string bare(std::string_view name) {
  std::string s(name);
  if (auto i = s.find('['); i != std::string::npos) s.erase(i, 1);
  if (auto i = s.find(']'); i != std::string::npos) s.erase(i, 1);
  return lower(s);
}

// "Integer  PRIMARY KEY" -> "integer"; "int" and "integer" are the same type.
inline std::string baseType(std::string_view type) {
  std::string t = lower(trim(type.substr(0, type.find(' '))));
  return t == "int" ? "integer" : t;
}

// "A|int; B|nvarchar(50)" -> {{"A", "int"}, {"B", "nvarchar(50)"}}; types are kept byte for byte.
inline Columns parseColumns(std::string_view text) {
  Columns out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("; ", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view item = text.substr(pos, end - pos);
    const size_t bar = item.find('|');
    out.emplace_back(std::string(item.substr(0, bar)), std::string(item.substr(bar + 1)));
    pos = end + 2;
  }
  return out;
}

inline Columns columnsOf(const schema::CatalogEntry& e) {
  Columns out;
  for (const auto& c : e.columns) out.emplace_back(c.name, c.type);
  return out;
}

inline void expectColumns(const schema::CatalogEntry& e, const Columns& expected) {
  ASSERT_EQ(e.columns.size(), expected.size()) << e.step;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(e.columns[i].name, expected[i].first) << e.step << " place " << i + 1;
    EXPECT_EQ(e.columns[i].type, expected[i].second) << e.step << " place " << i + 1;
  }
}

// Names go into "ALTER TABLE t ADD name type" and "create table dbo.t( name  type)" as written:
// a keyword, a blank or a Persian letter needs the brackets.
inline void expectNamesSafeInStatements(const schema::CatalogEntry& e) {
  std::vector<std::string> names;
  if (!e.keyColumn.empty()) names.push_back(e.keyColumn);
  for (const auto& c : e.columns) names.push_back(c.name);
  for (const std::string& name : names) {
    if (name.front() == '[' && name.back() == ']') continue;
    EXPECT_FALSE(db::embedded::isReservedKeyword(name)) << e.step << ": " << name << " must be bracketed";
    EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char ch) {
      return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
    })) << e.step << ": " << name << " must be bracketed";
  }
}

}  // namespace catalogtest
