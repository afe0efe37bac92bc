#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace db {

// A message a batch sends besides its rows: PRINT's text (number 0, severity 0), RAISERROR's
// and THROW's, and the errors the server reported and went on past. Severity 0 to 10 is
// information; 11 and above is an error.
struct Message {
  int number = 0;
  int severity = 0;
  int state = 1;
  int line = 0;            // the line of the batch, 0 when not known
  std::string procedure;   // the module that sent it, empty for the batch itself
  std::string text;

  bool isError() const { return severity > 10; }
};

// One thing a batch returned, in the order the server sent it.
struct Result {
  enum class Kind {
    Rows,      // a result set
    Count,     // "(n rows affected)": the rows a statement changed or returned
    Message,   // see Message
  };
  Kind kind = Kind::Message;
  std::vector<std::string> columns;                            // Rows
  std::vector<std::vector<std::optional<std::string>>> values;  // Rows: per row, per column; nullopt for NULL
  std::int64_t count = 0;                                      // Count
  Message message;                                             // Message
};

// Everything a batch returned, in order. When the batch fails the call throws its db::Error
// and `items` keeps what came before, so a caller can show both.
struct Results {
  std::vector<Result> items;

  // Only the result sets, or only the messages, in their order. The result sets point into
  // `items`: not to be taken from a temporary.
  std::vector<const Result*> resultSets() const&;
  std::vector<const Result*> resultSets() const&& = delete;
  std::vector<Message> messages() const;

  void addRows(std::vector<std::string> columns, std::vector<std::vector<std::optional<std::string>>> values);
  void addCount(std::int64_t count);
  void addMessage(Message message);
};

}  // namespace db
