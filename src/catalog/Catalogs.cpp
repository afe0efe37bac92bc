#include "catalog/Catalogs.h"

#include <map>
#include <mutex>
#include <string>

#include "schema/CatalogFile.h"
#include "catalogdata_embedded.h"

namespace catalog {

namespace {

struct Loaded {
  std::map<std::string, std::vector<schema::CatalogEntry>, std::less<>> byFile;
  std::map<std::string, const schema::CatalogEntry*, std::less<>> byStep;
};

const Loaded& loaded() {
  static const Loaded all = [] {
    Loaded l;
    for (std::string_view name : catalogdata::embeddedFileNames()) {
      if (!name.ends_with(".catalog")) continue;
      l.byFile.emplace(std::string(name), schema::parseCatalog(*catalogdata::embeddedFile(name), name));
    }
    for (const auto& [file, entries] : l.byFile)
      for (const auto& entry : entries)
        if (!l.byStep.emplace(entry.step, &entry).second)
          throw schema::CatalogFileError(file + ": step " + entry.step + " is defined twice");
    return l;
  }();
  return all;
}

}  // namespace

const std::vector<schema::CatalogEntry>& entriesOf(std::string_view catalogFile) {
  const auto& files = loaded().byFile;
  auto it = files.find(catalogFile);
  if (it == files.end()) throw schema::CatalogFileError("no catalog file named " + std::string(catalogFile));
  return it->second;
}

const schema::CatalogEntry* findEntry(std::string_view step) {
  const auto& steps = loaded().byStep;
  auto it = steps.find(step);
  return it == steps.end() ? nullptr : it->second;
}

std::vector<std::string_view> catalogFiles() {
  std::vector<std::string_view> names;
  for (const auto& [file, entries] : loaded().byFile) names.push_back(file);
  return names;
}

}  // namespace catalog
