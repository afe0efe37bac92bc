#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "db/Error.h"

namespace enginetest {

inline std::string sqlServer(const std::string& catalog) {
  return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + catalog;
}

inline std::string jet(const std::string& file) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ";Jet OLEDB:Database Password=secret;";
}

// The db::Error that `call` throws; a test failure when it throws none.
inline db::Error errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const db::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no db::Error was thrown";
  return db::Error("none", "none");
}

}  // namespace enginetest
