#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TypesTestSupport.h"
#include "db/embedded/types/Operators.h"
#include "db/embedded/types/Storage.h"

namespace {

using namespace types_test;

TEST(TypesTypeTest, ParsesTypeNamesAsStatementsWriteThem) {
  TypeNameProblem problem;
  const std::vector<std::string> fifty = {"50"}, max = {"max"}, ps = {"10", "2"}, tooBig = {"9000"};
  EXPECT_EQ(parseType("NVarChar", fifty, LengthDefault::Declaration, problem), nvarchar(50));
  EXPECT_EQ(parseType("varchar", max, LengthDefault::Declaration, problem)->length, Type::kMax);
  EXPECT_EQ(parseType("numeric", ps, LengthDefault::Declaration, problem)->name(), "numeric(10,2)");
  EXPECT_EQ(parseType("decimal", {}, LengthDefault::Declaration, problem)->name(), "decimal(18,0)");
  EXPECT_EQ(parseType("char", {}, LengthDefault::Declaration, problem)->length, 1);
  EXPECT_EQ(parseType("char", {}, LengthDefault::Conversion, problem)->length, 30);
  EXPECT_EQ(parseType("sysname", {}, LengthDefault::Declaration, problem), nvarchar(128));
  EXPECT_EQ(parseType("integer", {}, LengthDefault::Declaration, problem), Type::of(TypeId::Int));
  EXPECT_FALSE(parseType("varchar", tooBig, LengthDefault::Declaration, problem));
  EXPECT_EQ(problem.kind, TypeNameProblem::SizeTooLarge);
  EXPECT_EQ(problem.maximum, 8000);
  EXPECT_FALSE(parseType("int", fifty, LengthDefault::Declaration, problem));
  EXPECT_EQ(problem.kind, TypeNameProblem::WidthNotAllowed);
  EXPECT_FALSE(parseType("char", max, LengthDefault::Declaration, problem));
  EXPECT_EQ(problem.kind, TypeNameProblem::MaxNotAllowed);
  EXPECT_FALSE(parseType("varchar2", {}, LengthDefault::Declaration, problem));
  EXPECT_EQ(problem.kind, TypeNameProblem::UnknownType);
}

TEST(TypesTypeTest, PrecedenceAndTheTypeOfCaseAndUnion) {
  EXPECT_GT(precedence(TypeId::DateTime), precedence(TypeId::Float));
  EXPECT_GT(precedence(TypeId::Decimal), precedence(TypeId::Money));
  EXPECT_GT(precedence(TypeId::Int), precedence(TypeId::NVarChar));
  EXPECT_GT(precedence(TypeId::NVarChar), precedence(TypeId::VarChar));
  EXPECT_EQ(commonType(varchar(3), nvarchar(2)), nvarchar(3));
  EXPECT_EQ(commonType(Type::decimal(5, 2), Type::decimal(7, 4)).name(), "decimal(7,4)");
  EXPECT_EQ(commonType(Type::of(TypeId::Int), vc("x").type()), Type::of(TypeId::Int));
  EXPECT_EQ(commonType(Type::of(TypeId::DateTime), Type::of(TypeId::Int)), Type::of(TypeId::DateTime));
}

TEST(TypesStorageTest, StoredFormsReadBackAndSortAsTheValues) {
  const std::vector<std::pair<Value, Type>> samples = {
      {integer(-5), Type::of(TypeId::Int)},
      {convert(vc("-12.3456"), Type::of(TypeId::Money)), Type::of(TypeId::Money)},
      {convert(num("1.25"), Type::decimal(10, 2)), Type::decimal(10, 2)},
      {convert(vc("-123456789012345678901234.5"), Type::decimal(30, 1)), Type::decimal(30, 1)},
      {Value::floating(1.5), Type::of(TypeId::Float)},
      {Value::text("ab ", Type::character(TypeId::NChar, 3)), Type::character(TypeId::NChar, 3)},
      {datetime("1800-02-03 04:05:06.007"), Type::of(TypeId::DateTime)},
      {convert(vc("6F9619FF-8B86-D011-B42D-00C04FC964FF"), Type::of(TypeId::UniqueIdentifier)),
       Type::of(TypeId::UniqueIdentifier)},
      {Value::null(Type::of(TypeId::Int)), Type::of(TypeId::Int)},
  };
  for (const auto& [value, column] : samples)
    EXPECT_EQ(fromStored(toStored(value, column), column), value) << column.name();
  EXPECT_EQ(storageClassOf(Type::of(TypeId::Money)), StorageClass::Integer);
  EXPECT_EQ(storageClassOf(Type::decimal(30, 1)), StorageClass::Text);
  EXPECT_EQ(storageClassOf(Type::of(TypeId::DateTime)), StorageClass::Integer);

  // SQLite's comparison of the stored forms (integers numerically, text and blobs bytewise)
  // must order as SQL Server orders the values.
  const auto ordersAsValues = [](const std::vector<Value>& values, const Type& column) {
    for (const Value& a : values)
      for (const Value& b : values) {
        const Stored x = toStored(a, column);
        const Stored y = toStored(b, column);
        EXPECT_EQ(x < y, orderOf(a, b) < 0) << a.toString() << " vs " << b.toString();
      }
  };
  const Type wide = Type::decimal(38, 2);
  ordersAsValues({convert(vc("-99999999999999999999.5"), wide), convert(vc("-1.5"), wide), convert(vc("0"), wide),
                  convert(vc("2.25"), wide), convert(vc("12345678901234567890123.45"), wide)},
                 wide);
  ordersAsValues({datetime("1753-01-01"), datetime("1899-12-31 23:59"), datetime("1900-01-01"),
                  datetime("2021-03-05 10:00:00.003")},
                 Type::of(TypeId::DateTime));
  const Type guid = Type::of(TypeId::UniqueIdentifier);
  ordersAsValues({convert(vc("00000000-0000-0000-0000-000000000002"), guid),
                  convert(vc("FF000000-0000-0000-0000-000000000001"), guid),
                  convert(vc("00000000-0000-0000-0001-000000000001"), guid)},
                 guid);
}

}  // namespace
