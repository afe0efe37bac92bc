#pragma once

#include <string_view>
#include <vector>

#include "schema/CatalogEntry.h"

namespace catalog {

// The table catalogs of every product, parsed once from the data files compiled into the
// program (data/*.catalog).

// The entries of one catalog file ("benvo.catalog"), in sequence order; throws
// CatalogFileError when there is no such file.
const std::vector<schema::CatalogEntry>& entriesOf(std::string_view catalogFile);

// The entry whose step is named `step`, across all catalogs; nullptr when none is.
// Step names are unique across products.
const schema::CatalogEntry* findEntry(std::string_view step);

// Every catalog file compiled in.
std::vector<std::string_view> catalogFiles();

}  // namespace catalog
