#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "db/Error.h"
#include "db/embedded/types/Convert.h"
#include "db/embedded/types/Value.h"

namespace types_test {

using namespace db::embedded::types;

inline Value vc(std::string s) { return Value::varchar(std::move(s)); }
inline Value nv(std::string s) { return Value::nvarchar(std::move(s)); }
inline Value num(std::string_view literal) { return numberLiteral(literal).value(); }
inline Value integer(std::int64_t v, TypeId id = TypeId::Int) { return Value::integer(v, id); }
inline Value datetime(std::string_view text) { return convert(vc(std::string(text)), Type::of(TypeId::DateTime)); }
inline Type varchar(int n) { return Type::character(TypeId::VarChar, n); }
inline Type nvarchar(int n) { return Type::character(TypeId::NVarChar, n); }

// The SQL Server message number and text a call is refused with.
inline std::pair<int, std::string> refusal(const std::function<void()>& call) {
  try {
    call();
  } catch (const db::Error& e) {
    return {e.number(), e.message()};
  }
  return {0, "(accepted)"};
}

inline int refusalNumber(const std::function<void()>& call) { return refusal(call).first; }

}  // namespace types_test
