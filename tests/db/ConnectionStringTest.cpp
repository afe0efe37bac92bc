#include <gtest/gtest.h>

#include "db/ConnectionString.h"
#include "db/Text.h"

namespace {

using db::ConnectionString;
using db::ProviderKind;

TEST(ConnectionStringTest, KeywordsIgnoreCaseAndBlanksWhileValuesKeepEveryByte) {
  const auto cs = ConnectionString::parse(
      " Provider = SQLOLEDB.1; integrated security=SSPI;Initial Catalog=Benvo ;Data Source=PC\\SQLEXPRESS");
  EXPECT_EQ(cs.get("provider"), " SQLOLEDB.1");
  EXPECT_EQ(cs.get("INITIAL CATALOG"), "Benvo ");
  EXPECT_EQ(cs.get(" Integrated Security "), "SSPI");
  EXPECT_EQ(cs.get("data source"), "PC\\SQLEXPRESS");
  EXPECT_FALSE(cs.has("User ID"));
  EXPECT_EQ(cs.getOr("User ID", "sa"), "sa");
}

TEST(ConnectionStringTest, ValuesAsWritten) {
  struct Case {
    const char* text;
    const char* keyword;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Password=a=b;User ID=x", "Password", "a=b"},      // '=' inside a value
      {"Password=\"x;y\";User ID=u", "Password", "x;y"},  // quoted value holds ';'
      {"Password='x;y';User ID=u", "User ID", "u"},       // parsing goes on after a quoted value
      {"Data Source=C:\\a b\\c.mdb", "Data Source", "C:\\a b\\c.mdb"},
      {"Initial Catalog=A;Initial Catalog=B", "Initial Catalog", "B"},  // the last one counts
      {"Initial Catalog=;Provider=SQLOLEDB", "Initial Catalog", ""},
      {"garbage;Initial Catalog=X;", "Initial Catalog", "X"},  // a segment without '=' is skipped
      {"=orphan;Initial Catalog=X", "Initial Catalog", "X"},
      {"Data Source=دريافت;", "Data Source", "دريافت"},
      {"", "Provider", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConnectionString::parse(c.text).get(c.keyword), c.value) << c.text;
  }
}

TEST(ConnectionStringTest, ProviderKind) {
  const std::pair<const char*, ProviderKind> cases[] = {
      {"Initial Catalog=X", ProviderKind::SqlServer},
      {"Provider=SQLOLEDB.1;Initial Catalog=X", ProviderKind::SqlServer},
      {"Provider=sqloledb", ProviderKind::SqlServer},
      {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb", ProviderKind::Jet},
      {"provider=MICROSOFT.JET.OLEDB.4.0", ProviderKind::Jet},
      {"Provider=MSDASQL", ProviderKind::Other},
      {"Provider=;Initial Catalog=X", ProviderKind::SqlServer},
      {" Provider = Microsoft.Jet.OLEDB.4.0 ;Data Source=a.mdb", ProviderKind::Jet},
  };
  for (const auto& [text, kind] : cases) EXPECT_EQ(db::providerKind(ConnectionString::parse(text)), kind) << text;
}

TEST(ConnectionStringTest, AsciiCaseFoldingLeavesOtherLettersAlone) {
  EXPECT_TRUE(db::equalsAsciiNoCase("A_AQSAT", "a_aqsat"));
  EXPECT_FALSE(db::equalsAsciiNoCase("ID", "IDX"));
  EXPECT_TRUE(db::equalsAsciiNoCase("[دريافت نقد]", "[دريافت نقد]"));
  EXPECT_EQ(db::asciiLower("ÄBC"), "Äbc");
}

TEST(ConnectionStringTest, Utf8IsCheckedAndMeasuredAsSqlServerCountsCharacters) {
  EXPECT_EQ(db::firstNonUtf8Byte("Benvo دفتر"), std::nullopt);
  const std::pair<std::string, size_t> broken[] = {
      {"Ben\xffvo", 3},     {"ab\xd8", 2},          {"\xc0\xaf", 0},  // a stray, a cut, an overlong byte
      {"x\xed\xa0\x80", 1}, {"\xf4\x90\x80\x80", 0},                  // a surrogate, past U+10FFFF
      {"\xd8\x41", 0},                                                // a lead without its continuation
  };
  for (const auto& [text, at] : broken) EXPECT_EQ(db::firstNonUtf8Byte(text), at) << at;
  EXPECT_EQ(db::utf16Length("Benvo"), 5u);
  EXPECT_EQ(db::utf16Length("دفتر"), 4u);            // 8 bytes
  EXPECT_EQ(db::utf16Length("\xf0\x9f\x98\x80"), 2u);  // beyond U+FFFF: a surrogate pair
}

}  // namespace
