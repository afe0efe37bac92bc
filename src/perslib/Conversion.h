#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace perslib {

// A text field that cannot be read as a number. Callers (the library window, the console)
// report it under the class name the conversion error has always had.
class ConvertError : public std::runtime_error {
 public:
  static constexpr const char* kClassName = "EConvertError";

  explicit ConvertError(const std::string& message) : std::runtime_error(message) {}

  const char* className() const { return kClassName; }
};

// The error for a text that is not a whole number, worded as the platform words it.
ConvertError NotAnInteger(std::string_view text);

// Reads a 32-bit signed decimal integer: optional leading blanks, one optional sign, then
// digits only. Anything else (an empty text, trailing blanks, a decimal point, overflow)
// throws ConvertError "'<text>' is not a valid integer value".
int ToInteger(std::string_view text);

}  // namespace perslib
