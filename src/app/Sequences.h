#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// One thing a product's run does, in its place in the sequence.
struct SequenceItem {
  enum class Kind {
    Step,           // trigger the step `name`
    Reconnect,      // close the main connection and open it again
    DropTable,      // drop the table `name` when the database has it
    OpenAssistant,  // (re)open the assistant connection on the assistant catalog
  };
  Kind kind = Kind::Step;
  std::string name;
  bool onlyWithAutonum = false;  // Step: only while the Autonum conversion is chosen
  bool skippedWhenWeb = false;   // Reconnect: not while the hosted database is chosen
  // DropTable: when set, the table is dropped only while it lacks a column of this step's
  // catalog entry (it still has an older layout), so the step re-creates it once.
  std::string unlessLayoutOf;
};

// The run of the products whose codes it lists.
struct ProductSequence {
  std::vector<std::string> codes;
  std::vector<SequenceItem> items;

  bool matches(std::string_view productCode) const;  // exact, case-sensitive
  std::vector<std::string> stepNames() const;        // every step it may trigger, in order
};

class SequenceFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the sequence file format (see data/sequences.txt). Throws SequenceFileError with the
// file name and line number.
std::vector<ProductSequence> parseSequences(std::string_view text, std::string_view fileName);

// The sequences compiled into the program, in the order the branches are tested.
const std::vector<ProductSequence>& productSequences();

// The first sequence whose codes hold `productCode` exactly; nullptr when none does
// (the product has no upgrade sequence and its run triggers no step).
const ProductSequence* sequenceFor(std::string_view productCode);

// Connection string of the assistant catalog that the general-accounting run opens.
inline constexpr const char* kAssistantConnectionString =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=BenvoAssistant";

}  // namespace app
