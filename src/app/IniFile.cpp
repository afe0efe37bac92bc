#include "app/IniFile.h"

#include <fstream>
#include <sstream>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/Text.h"

namespace app {

namespace {

std::string keyOf(std::string_view section, std::string_view key) {
  return db::asciiLower(section) + "." + db::asciiLower(key);
}

}  // namespace

IniFile IniFile::parse(std::string_view text, const std::string& fileName) {
  IniFile ini;
  std::string section;
  int lineNumber = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = db::trimBlanks(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++lineNumber;
    if (auto bad = db::firstNonUtf8Byte(line))
      throw db::Error("EConfigError", fileName + ":" + std::to_string(lineNumber) + ": not valid UTF-8 (byte " +
                                          std::to_string(*bad + 1) + " of the line); save the file as UTF-8");
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']')
        throw db::Error("EConfigError", fileName + ":" + std::to_string(lineNumber) + ": a section header must end with ']'");
      section = std::string(db::trimBlanks(line.substr(1, line.size() - 2)));
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos)
      throw db::Error("EConfigError", fileName + ":" + std::to_string(lineNumber) + ": expected \"key = value\"");
    ini.values_[keyOf(section, db::trimBlanks(line.substr(0, eq)))] = std::string(db::trimBlanks(line.substr(eq + 1)));
  }
  return ini;
}

IniFile IniFile::load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw db::Error("EConfigError", "Cannot read the configuration file " + file.string() + ".");
  std::ostringstream text;
  text << in.rdbuf();
  return parse(text.str(), file.string());
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
  auto it = values_.find(keyOf(section, key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

}  // namespace app
