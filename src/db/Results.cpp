#include "db/Results.h"

#include <utility>

namespace db {

std::vector<const Result*> Results::resultSets() const& {
  std::vector<const Result*> sets;
  for (const Result& item : items)
    if (item.kind == Result::Kind::Rows) sets.push_back(&item);
  return sets;
}

std::vector<Message> Results::messages() const {
  std::vector<Message> messages;
  for (const Result& item : items)
    if (item.kind == Result::Kind::Message) messages.push_back(item.message);
  return messages;
}

void Results::addRows(std::vector<std::string> columns, std::vector<std::vector<std::optional<std::string>>> values) {
  Result& item = items.emplace_back();
  item.kind = Result::Kind::Rows;
  item.columns = std::move(columns);
  item.values = std::move(values);
}

void Results::addCount(std::int64_t count) {
  Result& item = items.emplace_back();
  item.kind = Result::Kind::Count;
  item.count = count;
}

void Results::addMessage(Message message) {
  Result& item = items.emplace_back();
  item.kind = Result::Kind::Message;
  item.message = std::move(message);
}

}  // namespace db
