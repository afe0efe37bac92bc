#pragma once

#include <string>
#include <string_view>

namespace db {

// Password, PWD, Jet OLEDB:Database Password and the other "... Password" keywords.
bool isSecretKeyword(std::string_view keyword);

// The connection string with every secret value written as "****" and everything else
// kept byte for byte: what logs, reports and messages may show.
std::string maskSecrets(std::string_view connectionString);

}  // namespace db
