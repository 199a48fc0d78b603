#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvex {

// A text of the window that the program writes. Like a grid it tells its observers when
// it changes, so the window shows a new text at once, even in the middle of a handler.
class Label {
 public:
  using Observer = std::function<void(const std::string& text)>;

  Label() = default;
  explicit Label(std::string text) : text_(std::move(text)) {}
  Label(const Label&) = delete;
  Label& operator=(const Label&) = delete;

  Label& operator=(std::string_view text);
  const std::string& text() const { return text_; }
  operator const std::string&() const { return text_; }

  // Returns a key for removeObserver.
  int addObserver(Observer observer);
  void removeObserver(int key);

  friend bool operator==(const Label& label, std::string_view text) { return label.text_ == text; }
  friend std::ostream& operator<<(std::ostream& out, const Label& label) {
    return out << label.text_;
  }

 private:
  std::string text_;
  std::vector<std::pair<int, Observer>> observers_;
  int nextKey_ = 0;
};

}  // namespace korvex
