#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "db/Error.h"
#include "db/embedded/syntax/Parser.h"
#include "db/embedded/syntax/TreePrinter.h"

namespace db::embedded::syntax::testing {

// The batch's tree as the debug printer shows it, one statement per line.
inline std::string shape(std::string_view batch) { return toSExpression(parseBatch(batch)); }

// The refusal a batch gets; fails the test when the batch parses.
inline db::Error refusal(std::string_view batch) {
  try {
    parseBatch(batch);
  } catch (const db::Error& e) {
    return e;
  }
  ADD_FAILURE() << "parsed without a refusal: " << batch;
  return db::Error("none", "");
}

}  // namespace db::embedded::syntax::testing
