#include "state/label.h"

#include <algorithm>

namespace korvex {

Label& Label::operator=(std::string_view text) {
  if (text == text_) return *this;
  text_.assign(text);
  // A copy: an observer may come or go while it is told.
  const auto observers = observers_;
  for (const auto& [key, observer] : observers) observer(text_);
  return *this;
}

int Label::addObserver(Observer observer) {
  observers_.emplace_back(nextKey_, std::move(observer));
  return nextKey_++;
}

void Label::removeObserver(int key) {
  std::erase_if(observers_, [key](const auto& entry) { return entry.first == key; });
}

}  // namespace korvex
