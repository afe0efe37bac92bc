#include <gtest/gtest.h>

#include "TypesTestSupport.h"
#include "db/embedded/types/Convert.h"

namespace {

using namespace types_test;

std::string cast(const Value& v, const Type& to, std::optional<int> style = std::nullopt) {
  return convert(v, to, style).toString();
}

TEST(TypesConvertTest, TextToNumbersAndTheirRefusals) {
  EXPECT_EQ(cast(vc(" 12 "), Type::of(TypeId::Int)), "12");
  EXPECT_EQ(cast(vc(""), Type::of(TypeId::Int)), "0");  // SQL Server reads blank text as 0
  EXPECT_EQ(refusal([] { convert(vc("1x"), Type::of(TypeId::Int)); }),
            std::make_pair(245, std::string("Conversion failed when converting the varchar value '1x' to data type int.")));
  EXPECT_EQ(refusalNumber([] { convert(vc("1.5"), Type::of(TypeId::Int)); }), 245);
  EXPECT_EQ(refusal([] { convert(nv("3000000000"), Type::of(TypeId::Int)); }),
            std::make_pair(248, std::string("The conversion of the nvarchar value '3000000000' overflowed an int column.")));
  EXPECT_EQ(cast(vc("1.235"), Type::decimal(5, 2)), "1.24");  // rounded to the scale
  EXPECT_EQ(refusal([] { convert(vc("abc"), Type::decimal(5, 2)); }),
            std::make_pair(8114, std::string("Error converting data type varchar to numeric.")));
  EXPECT_EQ(refusalNumber([] { convert(vc("1e3"), Type::decimal(10, 2)); }), 8114);
  EXPECT_EQ(refusalNumber([] { convert(vc("12345"), Type::decimal(5, 2)); }), 8115);
  EXPECT_EQ(cast(vc("$1,234.5"), Type::of(TypeId::Money)), "1234.50");
  EXPECT_EQ(refusalNumber([] { convert(vc("12a"), Type::of(TypeId::Money)); }), 235);
  EXPECT_EQ(cast(vc("1.5e3"), Type::of(TypeId::Float)), "1500");
  EXPECT_EQ(refusal([] { convert(vc("x"), Type::of(TypeId::Float)); }).first, 8114);
  EXPECT_EQ(cast(vc("true"), Type::of(TypeId::Bit)), "1");
}

TEST(TypesConvertTest, NumbersBetweenTypesRoundOrTruncateAsTheServerDoes) {
  EXPECT_EQ(cast(num("1.9"), Type::of(TypeId::Int)), "1");                      // decimal truncates
  EXPECT_EQ(cast(convert(num("1.5"), Type::of(TypeId::Money)), Type::of(TypeId::Int)), "2");  // money rounds
  EXPECT_EQ(cast(Value::floating(-2.7), Type::of(TypeId::Int)), "-2");
  EXPECT_EQ(cast(num("2.345"), Type::decimal(4, 2)), "2.35");
  EXPECT_EQ(cast(vc("-2.345"), Type::decimal(4, 2)), "-2.35");  // half away from zero
  EXPECT_EQ(cast(num("1.23456"), Type::of(TypeId::Money)), "1.23");
  EXPECT_EQ(convert(num("1.23456"), Type::of(TypeId::Money)).unscaled(), 12346);
  EXPECT_EQ(refusal([] { convert(integer(300), Type::of(TypeId::TinyInt)); }),
            std::make_pair(220, std::string("Arithmetic overflow error for data type tinyint, value = 300.")));
  EXPECT_EQ(refusal([] { convert(integer(3000000000LL, TypeId::BigInt), Type::of(TypeId::Int)); }),
            std::make_pair(8115, std::string("Arithmetic overflow error converting expression to data type int.")));
  EXPECT_EQ(refusal([] { convert(Value::floating(12345.12), Type::of(TypeId::TinyInt)); }),
            std::make_pair(232, std::string("Arithmetic overflow error for type tinyint, value = 12345.120000.")));
  EXPECT_EQ(refusal([] { convert(integer(100), Type::decimal(2, 0)); }),
            std::make_pair(8115, std::string("Arithmetic overflow error converting int to data type numeric.")));
}

TEST(TypesConvertTest, NumbersAsText) {
  EXPECT_EQ(cast(convert(num("1234.5"), Type::of(TypeId::Money)), varchar(30)), "1234.50");
  EXPECT_EQ(cast(convert(num("1234567.891"), Type::of(TypeId::Money)), varchar(30), 1), "1,234,567.89");
  EXPECT_EQ(cast(convert(num("1.5"), Type::of(TypeId::Money)), varchar(30), 2), "1.5000");
  EXPECT_EQ(cast(Value::floating(123.456), varchar(30)), "123.456");
  EXPECT_EQ(cast(Value::floating(1234567.0), varchar(30)), "1.23457e+006");
  EXPECT_EQ(cast(Value::floating(0.00001), varchar(30)), "1e-005");
  EXPECT_EQ(cast(Value::floating(123.456), varchar(30), 1), "1.2345600e+002");
  EXPECT_EQ(cast(Value::floating(123.456), varchar(30), 2), "1.234560000000000e+002");
  EXPECT_EQ(cast(num("1.50"), varchar(30)), "1.50");
  EXPECT_EQ(cast(num("0.05"), varchar(30)), "0.05");
  // Too short: integers show "*" in char and varchar; every other number overflows.
  EXPECT_EQ(cast(integer(12345), varchar(3)), "*");
  EXPECT_EQ(cast(integer(12345), Type::character(TypeId::Char, 3)), "*  ");
  EXPECT_EQ(refusalNumber([] { convert(integer(12345), nvarchar(3)); }), 8115);
  EXPECT_EQ(refusal([] { convert(num("123.45"), varchar(5)); }),
            std::make_pair(8115, std::string("Arithmetic overflow error converting numeric to data type varchar.")));
}

TEST(TypesConvertTest, LengthsCutSilentlyAndFixedTypesPad) {
  EXPECT_EQ(cast(vc("abcdef"), varchar(3)), "abc");
  EXPECT_EQ(cast(nv("سلام دنیا"), nvarchar(4)), "سلام");  // characters, not bytes
  const Value padded = convert(nv("ab"), Type::character(TypeId::NChar, 5));
  EXPECT_EQ(padded.text(), "ab   ");
  EXPECT_EQ(padded.type().name(), "nchar(5)");
  EXPECT_EQ(convert(vc("x"), Type::character(TypeId::Char, 3)).text(), "x  ");
  EXPECT_EQ(cast(Value::null(Type::of(TypeId::Int)), varchar(3)), "NULL");
  EXPECT_EQ(convert(Value::null(Type::of(TypeId::Int)), varchar(3)).type(), varchar(3));
}

TEST(TypesConvertTest, StoringIntoAColumnChecksTheLengthWhereAssignmentCuts) {
  const Value fourteen = nv("abcdefghijklmn");
  EXPECT_FALSE(fitsColumn(fourteen, nvarchar(10)));
  EXPECT_EQ(refusal([&] { toColumn(fourteen, nvarchar(10)); }),
            std::make_pair(8152, std::string("String or binary data would be truncated.")));
  EXPECT_EQ(convertImplicitly(fourteen, nvarchar(10)).text(), "abcdefghij");  // a variable cuts silently
  EXPECT_TRUE(fitsColumn(vc("abc   "), varchar(3)));                          // trailing blanks drop freely
  EXPECT_EQ(toColumn(vc("ab"), Type::character(TypeId::NChar, 5)).text(), "ab   ");
  EXPECT_EQ(refusalNumber([] { toColumn(integer(123456), varchar(3)); }), 8152);
  EXPECT_EQ(toColumn(integer(12), varchar(3)).text(), "12");
}

TEST(TypesConvertTest, DateTimeToTextInEveryStyle) {
  const Value d = datetime("2021-03-05 14:07:09.123");
  const std::pair<int, std::string> styles[] = {
      {0, "Mar  5 2021  2:07PM"},       {100, "Mar  5 2021  2:07PM"}, {1, "03/05/21"},
      {101, "03/05/2021"},              {103, "05/03/2021"},          {104, "05.03.2021"},
      {106, "05 Mar 2021"},             {108, "14:07:09"},            {109, "Mar  5 2021  2:07:09:123PM"},
      {111, "2021/03/05"},              {112, "20210305"},            {113, "05 Mar 2021 14:07:09:123"},
      {114, "14:07:09:123"},            {120, "2021-03-05 14:07:09"}, {121, "2021-03-05 14:07:09.123"},
      {126, "2021-03-05T14:07:09.123"},
  };
  for (const auto& [style, text] : styles) EXPECT_EQ(cast(d, varchar(30), style), text) << style;
  EXPECT_EQ(cast(d, varchar(30)), "Mar  5 2021  2:07PM");
  EXPECT_EQ(cast(d, varchar(8), 108), "14:07:09");
  EXPECT_EQ(cast(d, varchar(10), 120), "2021-03-05");  // cut to the length
  EXPECT_EQ(cast(datetime("2000-01-01"), varchar(30)), "Jan  1 2000 12:00AM");
  EXPECT_EQ(refusalNumber([&] { convert(d, varchar(30), 99); }), 281);
  EXPECT_EQ(cast(convert(d, Type::of(TypeId::Date)), varchar(30)), "2021-03-05");
}

TEST(TypesConvertTest, TextToDateTime) {
  const auto iso = [](std::string_view text, int style = 0) {
    return cast(convert(vc(std::string(text)), Type::of(TypeId::DateTime), style), varchar(30), 121);
  };
  EXPECT_EQ(iso("20210305"), "2021-03-05 00:00:00.000");
  EXPECT_EQ(iso("2021-03-05T14:07:09.5"), "2021-03-05 14:07:09.500");
  EXPECT_EQ(iso("03/05/2021"), "2021-03-05 00:00:00.000");       // mdy under us_english
  EXPECT_EQ(iso("05/03/2021", 103), "2021-03-05 00:00:00.000");  // dmy by style
  EXPECT_EQ(iso("2021/03/05", 111), "2021-03-05 00:00:00.000");
  EXPECT_EQ(iso("Mar  5 2021  2:07PM"), "2021-03-05 14:07:00.000");
  EXPECT_EQ(iso("5 March 2021"), "2021-03-05 00:00:00.000");
  EXPECT_EQ(iso("10:20"), "1900-01-01 10:20:00.000");
  EXPECT_EQ(iso(""), "1900-01-01 00:00:00.000");
  EXPECT_EQ(iso("1/2/49"), "2049-01-02 00:00:00.000");  // two-digit years turn at 2049
  EXPECT_EQ(iso("1/2/50"), "1950-01-02 00:00:00.000");
  // datetime keeps 1/300 seconds: .001 is .000, .002 is .003, .005 is .007, .999 the next second.
  EXPECT_EQ(iso("2000-01-01 00:00:00.001"), "2000-01-01 00:00:00.000");
  EXPECT_EQ(iso("2000-01-01 00:00:00.002"), "2000-01-01 00:00:00.003");
  EXPECT_EQ(iso("2000-01-01 00:00:00.005"), "2000-01-01 00:00:00.007");
  EXPECT_EQ(iso("2000-01-01 23:59:59.999"), "2000-01-02 00:00:00.000");
  EXPECT_EQ(refusal([] { convert(vc("2021 13 01"), Type::of(TypeId::DateTime)); }),
            std::make_pair(241, std::string("Conversion failed when converting date and/or time from character string.")));
  EXPECT_EQ(refusal([] { convert(vc("2021-02-30"), Type::of(TypeId::DateTime)); }),
            std::make_pair(242, std::string("The conversion of a varchar data type to a datetime data type resulted in "
                                            "an out-of-range value.")));
  EXPECT_EQ(refusalNumber([] { convert(vc("1700-01-01"), Type::of(TypeId::DateTime)); }), 242);
  EXPECT_EQ(refusalNumber([] { convert(vc("2021-02-30"), Type::of(TypeId::Date)); }), 241);
  const Value small = convert(vc("2000-01-01 10:20:29.999"), Type::of(TypeId::SmallDateTime));
  EXPECT_EQ(small.toString(), "Jan  1 2000 10:21AM");  // to the minute, rounding up from 29.999 s
}

TEST(TypesConvertTest, DateTimeAndNumbers) {
  EXPECT_EQ(cast(integer(1), Type::of(TypeId::DateTime)), "Jan  2 1900 12:00AM");
  EXPECT_EQ(cast(Value::floating(1.5), Type::of(TypeId::DateTime), std::nullopt), "Jan  2 1900 12:00PM");
  EXPECT_EQ(cast(datetime("1900-01-02 12:00"), Type::of(TypeId::Int)), "2");  // rounds from noon
  EXPECT_EQ(cast(datetime("1900-01-02 11:59"), Type::of(TypeId::Int)), "1");
  // datetime to a number takes CONVERT; a date never converts to one.
  EXPECT_EQ(refusal([] { convertImplicitly(datetime("2000-01-01"), Type::of(TypeId::Int)); }),
            std::make_pair(257, std::string("Implicit conversion from data type datetime to int is not allowed. Use "
                                            "the CONVERT function to run this query.")));
  EXPECT_EQ(refusal([] { convert(convert(datetime("2000-01-01"), Type::of(TypeId::Date)), Type::of(TypeId::Int)); }),
            std::make_pair(529, std::string("Explicit conversion from data type date to int is not allowed.")));
  EXPECT_EQ(refusal([] { convertImplicitly(integer(1), Type::of(TypeId::Date)); }),
            std::make_pair(206, std::string("Operand type clash: int is incompatible with date")));
}

TEST(TypesConvertTest, ConversionChart) {
  EXPECT_EQ(conversionBetween(TypeId::VarChar, TypeId::Int), Conversion::Implicit);
  EXPECT_EQ(conversionBetween(TypeId::VarChar, TypeId::VarBinary), Conversion::Explicit);
  EXPECT_EQ(conversionBetween(TypeId::Float, TypeId::Binary), Conversion::NotAllowed);
  EXPECT_EQ(conversionBetween(TypeId::NText, TypeId::Int), Conversion::NotAllowed);
  EXPECT_EQ(conversionBetween(TypeId::Int, TypeId::DateTime), Conversion::Implicit);
  EXPECT_EQ(conversionBetween(TypeId::UniqueIdentifier, TypeId::NVarChar), Conversion::Implicit);
}

TEST(TypesConvertTest, BinaryAndUniqueIdentifier) {
  EXPECT_EQ(cast(integer(1), Type::binary(TypeId::Binary, 2)), "0x0001");
  EXPECT_EQ(cast(vc("A"), Type::binary(TypeId::VarBinary, 10)), "0x41");
  EXPECT_EQ(cast(Value::binary("\x41", Type::binary(TypeId::VarBinary, 1)), varchar(10)), "A");
  EXPECT_EQ(cast(Value::binary("\x41", Type::binary(TypeId::VarBinary, 1)), varchar(10), 1), "0x41");
  EXPECT_EQ(cast(Value::binary(std::string("\x00\x00\x01\x00", 4), Type::binary(TypeId::VarBinary, 4)),
                 Type::of(TypeId::Int)),
            "256");
  const std::string text = "6F9619FF-8B86-D011-B42D-00C04FC964FF";
  EXPECT_EQ(cast(vc(text), Type::of(TypeId::UniqueIdentifier)), text);
  EXPECT_EQ(refusalNumber([] { convert(vc("nope"), Type::of(TypeId::UniqueIdentifier)); }), 8169);
}

TEST(TypesConvertTest, LiteralsAndNumericText) {
  EXPECT_EQ(num("12").type(), Type::of(TypeId::Int));
  EXPECT_EQ(num("3000000000").type().name(), "numeric(10,0)");
  EXPECT_EQ(num("1.50").type().name(), "numeric(3,2)");
  EXPECT_EQ(num("0.05").type().name(), "numeric(2,2)");
  EXPECT_EQ(num("1.5e3").type(), Type::of(TypeId::Float));
  EXPECT_FALSE(numberLiteral("1x"));
  for (const char* yes : {"12", " -1.5 ", "$1,000", "1e5", ".", "+"}) EXPECT_TRUE(looksNumeric(yes)) << yes;
  for (const char* no : {"", "  ", "abc", "1x", "1-"}) EXPECT_FALSE(looksNumeric(no)) << no;
}

}  // namespace
