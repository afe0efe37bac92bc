#include "db/Error.h"

#include <utility>

namespace db {

Error::Error(std::string className, std::string message, int number, std::string sqlState)
    : std::runtime_error(message),
      className_(std::move(className)),
      message_(std::move(message)),
      number_(number),
      sqlState_(std::move(sqlState)) {}

Error Error::provider(std::string message, int number, std::string sqlState) {
  return Error(kProviderClass, std::move(message), number, std::move(sqlState));
}

}  // namespace db
