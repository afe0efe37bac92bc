#include "app/Platform.h"

namespace app {

std::string_view firstLineOf(std::string_view content) {
  return content.substr(0, content.find_first_of("\r\n"));
}

}  // namespace app
