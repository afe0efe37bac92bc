#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace app {

// A product the updater knows. Products with a list index are offered by the product list;
// the others have upgrade sequences but are reached only by presetting their code.
struct Product {
  std::optional<int> listIndex;
  std::string_view code;         // also the SQL Server catalog name
  std::string_view caption;      // the list's Persian caption
  std::string_view description;  // English, for the command line
};

std::span<const Product> products();

// The product at a list index, or nullptr when the index is outside the list.
const Product* productAtIndex(int index);
// The product with exactly this code (case-sensitive), or nullptr.
const Product* productWithCode(std::string_view code);

}  // namespace app
