#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// A small INI file: "[section]" headers and "key = value" lines; lines starting with ';' or
// '#' are comments. Section and key names are matched without regard to letter case; blanks
// around names and values are dropped, the value is otherwise kept as written.
class IniFile {
 public:
  static IniFile parse(std::string_view text, const std::string& fileName);
  // Throws db::Error (class EConfigError) when the file cannot be read.
  static IniFile load(const std::filesystem::path& file);

  std::optional<std::string> get(std::string_view section, std::string_view key) const;

 private:
  std::map<std::string, std::string> values_;  // "section.key" in lower case -> value
};

}  // namespace app
