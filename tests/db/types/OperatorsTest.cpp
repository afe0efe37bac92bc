#include <gtest/gtest.h>

#include "TypesTestSupport.h"
#include "db/embedded/types/Operators.h"

namespace {

using namespace types_test;
using Op = BinaryOperator;

std::string eval(Op op, const Value& a, const Value& b) { return apply(op, a, b).toString(); }

TEST(TypesOperatorsTest, PlusJoinsStringsAndAddsNumbers) {
  EXPECT_EQ(eval(Op::Add, nv("علی"), nv(" رضایی")), "علی رضایی");
  const Value joined = apply(Op::Add, Value::text("ab", nvarchar(10)), Value::text("c", nvarchar(5)));
  EXPECT_EQ(joined.type(), nvarchar(15));
  EXPECT_EQ(resultType(Op::Add, varchar(5000), varchar(5000)), varchar(8000));
  EXPECT_EQ(resultType(Op::Add, varchar(5), nvarchar(5)), nvarchar(10));
  EXPECT_EQ(resultType(Op::Add, nvarchar(Type::kMax), nvarchar(5)).length, Type::kMax);
  // A string beside a number is converted to the number; one that is not a number fails.
  EXPECT_EQ(eval(Op::Add, vc("12"), integer(3)), "15");
  EXPECT_EQ(refusal([] { apply(Op::Add, vc("1x"), integer(3)); }).first, 245);
  EXPECT_EQ(eval(Op::Add, nv("a"), convert(integer(1), varchar(30))), "a1");
  // CONCAT_NULL_YIELDS_NULL: NULL joined is NULL, still typed.
  const Value nothing = apply(Op::Add, vc("a"), Value::null(varchar(3)));
  EXPECT_TRUE(nothing.isNull());
  EXPECT_EQ(nothing.type(), varchar(4));
  EXPECT_EQ(refusal([] { apply(Op::Add, Value::text("a", Type::of(TypeId::Text)), vc("b")); }),
            std::make_pair(402, std::string("The data types text and varchar are incompatible in the add operator.")));
  EXPECT_EQ(refusal([] { apply(Op::Multiply, vc("a"), vc("b")); }),
            std::make_pair(8117, std::string("Operand data type varchar is invalid for multiply operator.")));
}

TEST(TypesOperatorsTest, IntegerDivisionAndRemainderFollowTheDividend) {
  EXPECT_EQ(eval(Op::Divide, integer(7), integer(2)), "3");
  EXPECT_EQ(eval(Op::Divide, integer(-7), integer(2)), "-3");
  EXPECT_EQ(eval(Op::Divide, integer(7), integer(-2)), "-3");
  EXPECT_EQ(eval(Op::Modulo, integer(-7), integer(2)), "-1");
  EXPECT_EQ(eval(Op::Modulo, integer(7), integer(-2)), "1");
  EXPECT_EQ(refusal([] { apply(Op::Divide, integer(1), integer(0)); }),
            std::make_pair(8134, std::string("Divide by zero error encountered.")));
  EXPECT_EQ(refusalNumber([] { apply(Op::Modulo, integer(1), integer(0)); }), 8134);
  EXPECT_EQ(refusalNumber([] { apply(Op::Divide, num("1.5"), num("0.0")); }), 8134);
  EXPECT_EQ(refusalNumber([] { apply(Op::Divide, Value::floating(1), Value::floating(0)); }), 8134);
  EXPECT_EQ(refusal([] { apply(Op::Add, integer(2147483647), integer(1)); }),
            std::make_pair(8115, std::string("Arithmetic overflow error converting expression to data type int.")));
  EXPECT_EQ(refusalNumber([] { apply(Op::Add, integer(200, TypeId::TinyInt), integer(100, TypeId::TinyInt)); }), 8115);
  EXPECT_EQ(refusalNumber([] { negate(integer(-2147483647 - 1)); }), 8115);
  EXPECT_EQ(refusal([] { apply(Op::Modulo, Value::floating(10.5), integer(3)); }),
            std::make_pair(402, std::string("The data types float and int are incompatible in the modulo operator.")));
}

TEST(TypesOperatorsTest, DecimalPrecisionAndScaleOfEachOperator) {
  const Type a = Type::decimal(5, 2);
  const Type b = Type::decimal(7, 3);
  EXPECT_EQ(resultType(Op::Add, a, b).name(), "decimal(8,3)");
  EXPECT_EQ(resultType(Op::Multiply, a, b).name(), "decimal(13,5)");
  EXPECT_EQ(resultType(Op::Divide, a, b).name(), "decimal(16,10)");
  EXPECT_EQ(resultType(Op::Modulo, a, b).name(), "decimal(6,3)");
  EXPECT_EQ(resultType(Op::Add, Type::of(TypeId::Int), a).name(), "decimal(13,2)");
  // Above 38 digits the scale gives way, keeping at least 6.
  EXPECT_EQ(resultType(Op::Multiply, Type::decimal(38, 10), Type::decimal(38, 10)).name(), "decimal(38,6)");
  EXPECT_EQ(resultType(Op::Multiply, Type::decimal(20, 10), Type::decimal(20, 10)).name(), "decimal(38,17)");
  EXPECT_EQ(eval(Op::Divide, num("2.0"), num("3.0")), "0.666666");  // cut at the scale, not rounded
  // An int operand counts as decimal(10,0): scale max(6, 1 + 10 + 1).
  EXPECT_EQ(eval(Op::Divide, num("2.0"), integer(3)), "0.666666666666");
  EXPECT_EQ(eval(Op::Multiply, num("1.25"), num("1.5")), "1.875");
  EXPECT_EQ(eval(Op::Subtract, num("1.25"), integer(2)), "-0.75");
  // Mixed operands follow precedence: float beats decimal beats money beats int.
  EXPECT_EQ(resultType(Op::Add, Type::of(TypeId::Money), Type::of(TypeId::Int)), Type::of(TypeId::Money));
  EXPECT_EQ(resultType(Op::Add, Type::of(TypeId::Money), a).name(), "decimal(20,4)");
  EXPECT_EQ(resultType(Op::Add, Type::of(TypeId::Real), a), Type::of(TypeId::Real));
  EXPECT_EQ(resultType(Op::Add, Type::of(TypeId::SmallInt), Type::of(TypeId::BigInt)), Type::of(TypeId::BigInt));
  EXPECT_EQ(eval(Op::Multiply, convert(num("2.5"), Type::of(TypeId::Money)), integer(3)), "7.50");
}

TEST(TypesOperatorsTest, DateTimePlusOrMinusANumberMovesByDays) {
  const Value d = datetime("2021-03-05 10:00");
  EXPECT_EQ(eval(Op::Subtract, d, integer(3)), "Mar  2 2021 10:00AM");
  EXPECT_EQ(eval(Op::Add, d, Value::floating(0.5)), "Mar  5 2021 10:00PM");
  EXPECT_EQ(apply(Op::Add, integer(1), d).type(), Type::of(TypeId::DateTime));
  EXPECT_EQ(eval(Op::Subtract, d, datetime("2021-03-04")), "Jan  2 1900 10:00AM");
  EXPECT_EQ(refusal([] { resultType(Op::Add, Type::of(TypeId::Date), Type::of(TypeId::Int)); }),
            std::make_pair(206, std::string("Operand type clash: date is incompatible with int")));
  EXPECT_EQ(refusal([&] { apply(Op::Multiply, d, integer(2)); }),
            std::make_pair(8117, std::string("Operand data type datetime is invalid for multiply operator.")));
  EXPECT_EQ(refusalNumber([&] { apply(Op::Add, d, integer(3000000)); }), 8115);
}

TEST(TypesOperatorsTest, BitwiseOperators) {
  EXPECT_EQ(eval(Op::BitAnd, integer(170), integer(75)), "10");
  EXPECT_EQ(eval(Op::BitOr, integer(170), integer(75)), "235");
  EXPECT_EQ(eval(Op::BitXor, integer(170), integer(75)), "225");
  EXPECT_EQ(bitwiseNot(integer(170, TypeId::TinyInt)).toString(), "85");
  EXPECT_EQ(apply(Op::BitAnd, Value::bit(true), Value::bit(false)).type(), Type::of(TypeId::Bit));
  EXPECT_EQ(refusalNumber([] { apply(Op::BitAnd, num("1.5"), integer(1)); }), 402);
}

TEST(TypesOperatorsTest, ComparisonsAreUnknownWithNullAndConvertToTheHigherType) {
  EXPECT_EQ(compare(Comparison::Equal, integer(1), Value::null(Type::of(TypeId::Int))), Truth::Unknown);
  EXPECT_EQ(compare(Comparison::NotEqual, Value(), Value()), Truth::Unknown);
  EXPECT_EQ(compare(Comparison::Equal, vc("10"), integer(10)), Truth::True);
  EXPECT_EQ(compare(Comparison::Less, vc("9"), integer(10)), Truth::True);  // numerically, not as text
  EXPECT_EQ(refusalNumber([] { compare(Comparison::Equal, vc("x"), integer(10)); }), 245);
  EXPECT_EQ(compare(Comparison::Equal, num("1.50"), integer(1) /*int*/), Truth::False);
  EXPECT_EQ(compare(Comparison::Equal, num("1.0"), Value::floating(1)), Truth::True);
  EXPECT_EQ(compare(Comparison::Greater, datetime("2021-01-02"), vc("2021-01-01")), Truth::True);
  EXPECT_EQ(compare(Comparison::Equal, nv("Ali  "), vc("ALI")), Truth::True);
  EXPECT_EQ(refusalNumber([] { compare(Comparison::Equal, Value::text("a", Type::of(TypeId::NText)), nv("a")); }),
            402);
  EXPECT_EQ((Truth::Unknown && Truth::False), Truth::False);
  EXPECT_EQ((Truth::Unknown || Truth::True), Truth::True);
  EXPECT_EQ(!Truth::Unknown, Truth::Unknown);
  EXPECT_LT(orderOf(Value(), integer(-5)), 0);  // NULL sorts first
  EXPECT_EQ(orderOf(Value(), Value()), 0);
  EXPECT_GT(orderOf(integer(10), num("9.99")), 0);
}

}  // namespace
