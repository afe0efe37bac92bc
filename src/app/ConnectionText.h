#pragma once

#include <string>
#include <string_view>

namespace app {

// Error class of outside text refused before it reaches a connection string.
inline constexpr const char* kUnsafeTextClass = "EUnsafeConnectionText";

// Refuses text from outside the program (a file, an edit box, a configuration value) that
// would add or change connection-string keywords: a ';' ends the keyword and '=' starts a
// value. `what` names the text's source for the message.
void requireConnectionStringSafe(std::string_view text, const std::string& what);

// The connection string with the value of its Initial Catalog keyword replaced (or the
// keyword added); everything else is kept byte for byte.
std::string withInitialCatalog(std::string_view connectionString, std::string_view catalog);

// The Initial Catalog value of a connection string; empty when it names none.
std::string initialCatalogOf(std::string_view connectionString);


}  // namespace app
