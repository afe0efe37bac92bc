#pragma once

#include <functional>
#include <string>

namespace schema {

// A progress label: its text, repainted at once whenever it is set.
class Label {
 public:
  using Repaint = std::function<void(const std::string& text)>;

  explicit Label(std::string initial = {}) : text_(std::move(initial)) {}

  const std::string& text() const { return text_; }
  void setText(std::string text) {
    text_ = std::move(text);
    if (repaint_) repaint_(text_);
  }
  void onRepaint(Repaint repaint) { repaint_ = std::move(repaint); }

 private:
  std::string text_;
  Repaint repaint_;
};

}  // namespace schema
