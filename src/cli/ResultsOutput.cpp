#include "cli/ResultsOutput.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace cli {

namespace {

constexpr const char* kNull = "NULL";

// Columns are as wide as the characters they show, not their UTF-8 bytes (Persian letters take
// two bytes each); combining marks take no room of their own.
size_t displayWidth(const std::string& text) {
  size_t width = 0;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const bool combining = length == 2 && i + 1 < text.size() && c == 0xD9 &&
                           static_cast<unsigned char>(text[i + 1]) >= 0x8B && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    width += combining ? 0 : 1;
    i += length;
  }
  return width;
}

std::string cellText(const std::optional<std::string>& value) { return value ? *value : kNull; }

void printTable(const db::Result& set, std::ostream& out) {
  std::vector<size_t> widths;
  for (const std::string& c : set.columns) widths.push_back(displayWidth(c));
  for (const auto& row : set.values)
    for (size_t i = 0; i < row.size() && i < widths.size(); ++i) widths[i] = std::max(widths[i], displayWidth(cellText(row[i])));
  const auto line = [&](const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
      out << (i ? " | " : "") << cells[i];
      if (i + 1 < cells.size()) out << std::string(widths[i] - displayWidth(cells[i]), ' ');
    }
    out << '\n';
  };
  line(set.columns);
  for (size_t i = 0; i < widths.size(); ++i) out << (i ? "-+-" : "") << std::string(widths[i], '-');
  out << '\n';
  for (const auto& row : set.values) {
    std::vector<std::string> cells;
    for (const auto& v : row) cells.push_back(cellText(v));
    line(cells);
  }
}

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled; NULL is an
// empty field.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void printCsv(const db::Result& set, std::ostream& out) {
  const auto line = [&](const auto& cells, auto text) {
    for (size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << csvField(text(cells[i]));
    out << "\r\n";
  };
  line(set.columns, [](const std::string& c) { return c; });
  for (const auto& row : set.values) line(row, [](const std::optional<std::string>& v) { return v.value_or(""); });
}

std::string messageLine(const db::Message& m) {
  if (m.number == 0 && m.severity == 0) return m.text;  // PRINT
  return "Msg " + std::to_string(m.number) + ", Level " + std::to_string(m.severity) + ", State " +
         std::to_string(m.state) + (m.line ? ", Line " + std::to_string(m.line) : std::string()) + ": " + m.text;
}

std::string countLine(std::int64_t count) {
  return "(" + std::to_string(count) + (count == 1 ? " row affected)" : " rows affected)");
}

}  // namespace

void printResults(const db::Results& results, ResultsFormat format, std::ostream& out, std::ostream& notes) {
  if (format == ResultsFormat::Json) {
    nlohmann::ordered_json doc = {{"result_sets", nlohmann::ordered_json::array()},
                                  {"messages", nlohmann::ordered_json::array()}};
    for (const db::Result& item : results.items) {
      switch (item.kind) {
        case db::Result::Kind::Rows: {
          nlohmann::ordered_json rows = nlohmann::ordered_json::array();
          for (const auto& row : item.values) {
            nlohmann::ordered_json r = nlohmann::ordered_json::array();
            for (const auto& v : row) r.push_back(v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr));
            rows.push_back(r);
          }
          doc["result_sets"].push_back({{"columns", item.columns}, {"rows", rows}});
          break;
        }
        case db::Result::Kind::Count: doc["messages"].push_back({{"rows_affected", item.count}}); break;
        case db::Result::Kind::Message:
          doc["messages"].push_back({{"number", item.message.number},
                                     {"severity", item.message.severity},
                                     {"text", item.message.text}});
          break;
      }
    }
    out << doc.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return;
  }
  bool first = true;
  for (const db::Result* set : results.resultSets()) {
    if (!first && format == ResultsFormat::Table) out << '\n';
    first = false;
    if (format == ResultsFormat::Table) printTable(*set, out);
    else printCsv(*set, out);
  }
  // Messages and counts follow the rows, in the order the batch sent them.
  bool blank = !results.resultSets().empty() && format == ResultsFormat::Table;
  for (const db::Result& item : results.items) {
    if (item.kind == db::Result::Kind::Rows) continue;
    if (blank) notes << '\n';
    blank = false;
    notes << (item.kind == db::Result::Kind::Count ? countLine(item.count) : messageLine(item.message)) << '\n';
  }
}

}  // namespace cli
