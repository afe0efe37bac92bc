#include "app/CommandLineChoices.h"

#include <charconv>
#include <stdexcept>

#include "app/Products.h"
#include "db/Text.h"

namespace app {

namespace {

std::optional<int> wholeNumber(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A code that is no product's would run no sequence and still end as a completed run, so it
// is refused. Codes compare exactly, as the run's branches do, while catalog names ignore
// case: "benvo" would open Benvo's catalog and upgrade nothing, hence the suggestion.
std::string unknownProductMessage(std::string_view code) {
  std::string message = "--product " + std::string(code) + ": no product has this code";
  std::string codes;
  for (const Product& p : products()) {
    if (db::equalsAsciiNoCase(p.code, code)) message += " (codes compare exactly); did you mean '" + std::string(p.code) + "'?";
    codes += (codes.empty() ? "" : ", ") + std::string(p.code);
  }
  if (message.back() != '?') message += '.';
  return message + " The codes are " + codes + "; the list indexes are 0 to 6.";
}

}  // namespace

void ProductSelection::applyTo(Choices& choices, RunState& state) const {
  choices.productIndex = listIndex;
  if (!listIndex) state.productCode = presetCode;
}

ProductSelection productSelectionFrom(std::string_view codeOrIndex) {
  if (codeOrIndex.empty()) throw std::invalid_argument("--product needs a product code or a list index");
  if (auto index = wholeNumber(codeOrIndex)) {
    if (!productAtIndex(*index))
      throw std::invalid_argument("--product " + std::string(codeOrIndex) +
                                  ": the product list has indexes 0 to 6");
    return {*index, {}};
  }
  const Product* product = productWithCode(codeOrIndex);
  if (!product) throw std::invalid_argument(unknownProductMessage(codeOrIndex));
  if (product->listIndex) return {*product->listIndex, {}};
  return {std::nullopt, std::string(codeOrIndex)};
}

db::BackendConfig::Kind backendKindNamed(std::string_view name) {
  if (name == "embedded") return db::BackendConfig::Kind::Embedded;
  if (name == "odbc") return db::BackendConfig::Kind::Odbc;
  throw std::invalid_argument("--backend " + std::string(name) + ": use embedded or odbc");
}

ArgumentReader::ArgumentReader(std::vector<std::string_view> args) : args_(std::move(args)) {
  for (size_t i = 0; i < args_.size(); ++i)
    if (auto bad = db::firstNonUtf8Byte(args_[i]))
      throw std::invalid_argument("argument " + std::to_string(i + 1) +
                                  (i > 0 && args_[i - 1].starts_with("-") ? " (after " + std::string(args_[i - 1]) + ")" : "") +
                                  " is not valid UTF-8 (byte " + std::to_string(*bad + 1) +
                                  "); give every argument in UTF-8");
}

std::string_view ArgumentReader::take() {
  std::string_view arg = args_[next_++];
  inlineValue_.reset();
  if (arg.starts_with("--"))
    if (const size_t eq = arg.find('='); eq != std::string_view::npos) {
      inlineValue_ = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
  return arg;
}

std::string ArgumentReader::value(std::string_view option) {
  if (inlineValue_) return std::string(*inlineValue_);
  if (done()) throw std::invalid_argument(std::string(option) + " needs a value");
  return std::string(args_[next_++]);
}

void ArgumentReader::refuseValue(std::string_view option) const {
  if (inlineValue_) throw std::invalid_argument(std::string(option) + " takes no value");
}

bool takeStartChoice(std::string_view option, ArgumentReader& reader, StartChoices& choices) {
  if (option == "--product") {
    choices.product = productSelectionFrom(reader.value(option));
  } else if (option == "--backend") {
    choices.backend.kind = backendKindNamed(reader.value(option));
  } else if (option == "--data-dir") {
    choices.backend.dataDir = reader.value(option);
  } else if (option == "--odbc-driver") {
    choices.backend.odbcDriver = reader.value(option);
  } else if (option == "--create-database") {
    reader.refuseValue(option);
    choices.createDatabase = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace app
