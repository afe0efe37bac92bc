#include <gtest/gtest.h>

#include <vector>

#include "TypesTestSupport.h"
#include "db/embedded/types/Builtins.h"

namespace {

using namespace types_test;

class TypesBuiltinsTest : public ::testing::Test {
 protected:
  FunctionTable table = FunctionTable::withBuiltins();
  EvaluationContext context{[] { return datetime("2021-03-05 14:07:09").dateTime(); }};

  Value call(std::string_view name, std::vector<Value> args) {
    return table.resolve(name, args.size()).evaluate(args, context);
  }
  std::string text(std::string_view name, std::vector<Value> args) { return call(name, std::move(args)).toString(); }
  Type typeOf(std::string_view name, std::vector<Type> args) {
    return table.resolve(name, args.size()).resultType(args);
  }
};

TEST_F(TypesBuiltinsTest, UnknownNamesAndWrongArgumentCounts) {
  EXPECT_EQ(refusal([&] { table.resolve("x", 1); }),
            std::make_pair(195, std::string("'x' is not a recognized built-in function name.")));
  EXPECT_EQ(refusal([&] { table.resolve("LEN", 2); }),
            std::make_pair(174, std::string("The len function requires 1 argument(s).")));
  EXPECT_EQ(refusal([&] { table.resolve("round", 1); }),
            std::make_pair(189, std::string("The round function requires 2 to 3 arguments.")));
  EXPECT_EQ(refusal([&] { typeOf("abs", {Type::of(TypeId::DateTime)}); }),
            std::make_pair(8116, std::string("Argument data type datetime is invalid for argument 1 of abs function.")));
  // The runtime adds what needs the catalog or the session.
  table.add({"OBJECT_ID", 1, 2, [](std::span<const Type>) { return Type::of(TypeId::Int); },
             [](std::span<const Value>, const EvaluationContext&) { return Value::integer(42); }});
  EXPECT_EQ(text("object_id", {vc("t")}), "42");
}

TEST_F(TypesBuiltinsTest, NullFunctions) {
  EXPECT_EQ(text("isnull", {Value::null(varchar(3)), vc("abcdef")}), "abc");  // the first argument's type
  EXPECT_EQ(text("coalesce", {Value(), Value(), integer(3)}), "3");
  EXPECT_EQ(typeOf("coalesce", {varchar(3), nvarchar(10)}), nvarchar(10));
  EXPECT_EQ(typeOf("coalesce", {Type::of(TypeId::Int), Type::decimal(5, 2)}).name(), "decimal(12,2)");
  EXPECT_TRUE(call("nullif", {vc("a"), vc("A")}).isNull());
  EXPECT_EQ(text("nullif", {integer(1), integer(2)}), "1");
  EXPECT_EQ(text("isnumeric", {vc("1e5")}), "1");
  EXPECT_EQ(text("isnumeric", {vc("abc")}), "0");
  EXPECT_EQ(text("isdate", {vc("2021-02-28")}), "1");
  EXPECT_EQ(text("isdate", {vc("2021-02-30")}), "0");
  EXPECT_EQ(text("isdate", {Value()}), "0");
}

TEST_F(TypesBuiltinsTest, StringFunctions) {
  EXPECT_EQ(text("len", {vc("ab  ")}), "2");
  EXPECT_EQ(text("len", {nv("سلام")}), "4");
  EXPECT_EQ(text("datalength", {nv("ab ")}), "6");
  EXPECT_EQ(text("datalength", {vc("ab ")}), "3");
  EXPECT_EQ(text("datalength", {integer(1)}), "4");
  EXPECT_TRUE(call("len", {Value::null(varchar(3))}).isNull());
  EXPECT_EQ(text("left", {nv("تهران"), integer(2)}), "ته");
  EXPECT_EQ(text("right", {vc("abcdef"), integer(2)}), "ef");
  EXPECT_EQ(refusal([&] { call("left", {vc("a"), integer(-1)}); }).first, 536);
  EXPECT_EQ(text("substring", {vc("abcdef"), integer(2), integer(3)}), "bcd");
  EXPECT_EQ(text("substring", {vc("abcdef"), integer(0), integer(3)}), "ab");  // positions 0..2
  EXPECT_EQ(text("charindex", {vc("C"), vc("abcabc")}), "3");
  EXPECT_EQ(text("charindex", {vc("c"), vc("abcabc"), integer(4)}), "6");
  EXPECT_EQ(text("charindex", {vc("z"), vc("abc")}), "0");
  EXPECT_EQ(text("patindex", {vc("%[0-9]%"), vc("ab12")}), "3");
  EXPECT_EQ(text("replace", {vc("aXbxc"), vc("x"), vc("-")}), "a-b-c");
  EXPECT_EQ(text("replace", {nv("علي"), nv("ي"), nv("ی")}), "علی");
  EXPECT_EQ(text("ltrim", {vc("  a ")}), "a ");
  EXPECT_EQ(text("rtrim", {vc("  a ")}), "  a");
  EXPECT_EQ(text("upper", {nv("straße é")}), "STRAßE É");
  EXPECT_EQ(text("lower", {vc("ABC")}), "abc");
  EXPECT_EQ(text("replicate", {vc("ab"), integer(3)}), "ababab");
  EXPECT_TRUE(call("replicate", {vc("ab"), integer(-1)}).isNull());
  EXPECT_EQ(text("space", {integer(3)}), "   ");
  EXPECT_EQ(text("str", {Value::floating(123.45), integer(6), integer(1)}), " 123.5");
  EXPECT_EQ(text("str", {Value::floating(123.456), integer(5), integer(2)}), "123.5");
  EXPECT_EQ(text("str", {Value::floating(123456), integer(3)}), "***");
  EXPECT_EQ(text("str", {integer(7)}), "         7");
  EXPECT_EQ(text("char", {integer(65)}), "A");
  EXPECT_TRUE(call("char", {integer(300)}).isNull());
  EXPECT_EQ(text("nchar", {integer(0x06CC)}), "ی");
  EXPECT_EQ(text("ascii", {vc("A")}), "65");
  EXPECT_EQ(text("unicode", {nv("ی")}), "1740");
  EXPECT_EQ(typeOf("left", {Type::character(TypeId::NChar, 5), Type::of(TypeId::Int)}), nvarchar(5));
}

TEST_F(TypesBuiltinsTest, MathFunctions) {
  // ROUND keeps decimal(5,2): 1000.00 does not fit, 0 does.
  EXPECT_EQ(text("round", {num("748.58"), integer(-1)}), "750.00");
  EXPECT_EQ(refusalNumber([&] { call("round", {num("748.58"), integer(-3)}); }), 8115);
  EXPECT_EQ(text("round", {num("748.58"), integer(-4)}), "0.00");
  EXPECT_EQ(text("round", {convert(num("748.58"), Type::decimal(6, 2)), integer(-3)}), "1000.00");
  EXPECT_EQ(text("round", {num("123.9995"), integer(3)}), "124.0000");
  EXPECT_EQ(text("round", {num("1.2345"), integer(2)}), "1.2300");
  EXPECT_EQ(text("round", {num("1.2355"), integer(3), integer(1)}), "1.2350");  // truncated
  EXPECT_EQ(text("round", {integer(15), integer(-1)}), "20");
  EXPECT_EQ(text("round", {Value::floating(2.5), integer(0)}), "3");
  EXPECT_EQ(text("abs", {integer(-5)}), "5");
  EXPECT_EQ(refusalNumber([&] { call("abs", {integer(-2147483647 - 1)}); }), 8115);
  EXPECT_EQ(text("floor", {convert(vc("-1.5"), Type::decimal(2, 1))}), "-2");
  EXPECT_EQ(text("ceiling", {num("1.2")}), "2");
  EXPECT_EQ(typeOf("floor", {Type::decimal(5, 2)}).name(), "decimal(4,0)");
  EXPECT_EQ(text("sign", {Value::floating(-3)}), "-1");
  EXPECT_EQ(text("power", {integer(2), integer(10)}), "1024");
  EXPECT_EQ(text("power", {integer(2), num("0.5")}), "1");  // the base's type: int
  EXPECT_EQ(text("sqrt", {integer(16)}), "4");
  EXPECT_EQ(refusalNumber([&] { call("sqrt", {integer(-1)}); }), 3623);
}

TEST_F(TypesBuiltinsTest, GetDateAndDateArithmetic) {
  EXPECT_EQ(text("getdate", {}), "Mar  5 2021  2:07PM");
  const Value d = datetime("2021-01-31 10:00");
  EXPECT_EQ(text("dateadd", {vc("month"), integer(1), d}), "Feb 28 2021 10:00AM");
  EXPECT_EQ(text("dateadd", {vc("yy"), integer(-1), d}), "Jan 31 2020 10:00AM");
  EXPECT_EQ(text("dateadd", {vc("dd"), integer(1), vc("2021-12-31")}), "Jan  1 2022 12:00AM");
  EXPECT_EQ(text("dateadd", {vc("hh"), integer(15), d}), "Feb  1 2021  1:00AM");
  EXPECT_EQ(text("dateadd", {vc("wk"), integer(1), d}), "Feb  7 2021 10:00AM");
  EXPECT_EQ(refusal([&] { call("dateadd", {vc("year"), integer(9000), d}); }),
            std::make_pair(517, std::string("Adding a value to a 'datetime' column caused an overflow.")));
  EXPECT_EQ(refusal([&] { call("dateadd", {vc("fortnight"), integer(1), d}); }),
            std::make_pair(155, std::string("'fortnight' is not a recognized datepart option.")));
  const Value date = convert(d, Type::of(TypeId::Date));
  EXPECT_EQ(refusalNumber([&] { call("dateadd", {vc("hour"), integer(1), date}); }), 9810);
}

TEST_F(TypesBuiltinsTest, DateDiffCountsBoundariesCrossed) {
  const auto diff = [&](const char* part, const char* a, const char* b) {
    return text("datediff", {vc(part), vc(a), vc(b)});
  };
  EXPECT_EQ(diff("year", "2020-12-31 23:59", "2021-01-01 00:00"), "1");
  EXPECT_EQ(diff("yy", "2021-01-01", "2021-12-31"), "0");
  EXPECT_EQ(diff("month", "2021-01-31", "2021-02-01"), "1");
  EXPECT_EQ(diff("quarter", "2021-03-31", "2021-04-01"), "1");
  EXPECT_EQ(diff("day", "2021-03-05 23:59", "2021-03-06 00:01"), "1");
  EXPECT_EQ(diff("day", "2021-03-06", "2021-03-05"), "-1");
  // Weeks turn on Sunday: Saturday 6 March 2021 to Sunday 7 March is one week.
  EXPECT_EQ(diff("wk", "2021-03-06", "2021-03-07"), "1");
  EXPECT_EQ(diff("wk", "2021-03-07", "2021-03-13"), "0");
  EXPECT_EQ(diff("hh", "2021-03-05 10:59", "2021-03-05 11:00"), "1");
  EXPECT_EQ(diff("mi", "2021-03-05 10:00:59", "2021-03-05 10:01:00"), "1");
  EXPECT_EQ(diff("ss", "2021-03-05 10:00:00.997", "2021-03-05 10:00:01"), "1");
  EXPECT_EQ(diff("ms", "2021-03-05 10:00:00", "2021-03-05 10:00:01"), "1000");
  EXPECT_EQ(refusalNumber([&] { diff("ms", "1900-01-01", "2021-01-01"); }), 535);
}

TEST_F(TypesBuiltinsTest, DatePartAndDateNameWithEveryPartName) {
  const Value d = datetime("2021-03-05 14:07:09.123");  // a Friday
  const std::pair<const char*, const char*> parts[] = {
      {"year", "2021"}, {"yy", "2021"},   {"yyyy", "2021"}, {"quarter", "1"}, {"qq", "1"},  {"q", "1"},
      {"month", "3"},   {"mm", "3"},      {"m", "3"},       {"dayofyear", "64"}, {"dy", "64"}, {"y", "64"},
      {"day", "5"},     {"dd", "5"},      {"d", "5"},       {"week", "10"},   {"wk", "10"}, {"ww", "10"},
      {"weekday", "6"}, {"dw", "6"},      {"hour", "14"},   {"hh", "14"},     {"minute", "7"}, {"mi", "7"},
      {"n", "7"},       {"second", "9"},  {"ss", "9"},      {"s", "9"},       {"millisecond", "123"}, {"ms", "123"},
  };
  for (const auto& [part, expected] : parts) EXPECT_EQ(text("datepart", {vc(part), d}), expected) << part;
  EXPECT_EQ(text("datename", {vc("month"), d}), "March");
  EXPECT_EQ(text("datename", {vc("dw"), d}), "Friday");
  EXPECT_EQ(text("datename", {vc("yyyy"), d}), "2021");
  EXPECT_EQ(text("datepart", {vc("wk"), vc("2021-01-01")}), "1");
  EXPECT_EQ(text("datepart", {vc("wk"), vc("2021-01-03")}), "2");  // Sunday starts week 2
  context.dateFirst = 1;                                            // SET DATEFIRST 1: Monday first
  EXPECT_EQ(text("datepart", {vc("dw"), d}), "5");
  EXPECT_EQ(text("year", {d}), "2021");
  EXPECT_EQ(text("month", {vc("2021-03-05")}), "3");
  EXPECT_EQ(text("day", {integer(0)}), "1");  // 0 is 1900-01-01
}

}  // namespace
