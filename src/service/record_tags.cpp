#include "service/record_tags.h"

#include "service/feed_text.h"

namespace korvex {

// Every "<name>" whose name holds neither '<' nor '>' starts at a '<' whose next '<' or
// '>' is the '>' right after the name. So walking from '<' to the next '<' or '>' meets
// each such tag in text order, and the first one met with a name is the one ExtractTag
// finds. Closing tags are met too but never asked for.
void RecordTags::read(std::string_view text) {
  text_ = text;
  openings_.clear();
  std::size_t at = text.find('<');
  while (at != std::string_view::npos) {
    std::size_t end = at + 1;
    while (end < text.size() && text[end] != '<' && text[end] != '>') ++end;
    if (end == text.size()) break;
    if (text[end] == '<') {
      at = end;
      continue;
    }
    const std::string_view name = text.substr(at + 1, end - at - 1);
    if (!name.starts_with('/')) openings_.push_back({name, end + 1});
    at = text.find('<', end + 1);
  }
}

std::string_view RecordTags::operator[](std::string_view name) const {
  for (const Opening& opening : openings_) {
    if (opening.name != name) continue;
    for (std::size_t at = text_.find("</", opening.valueStart); at != std::string_view::npos;
         at = text_.find("</", at + 1)) {
      const std::string_view rest = text_.substr(at + 2);
      if (rest.starts_with(name) && rest.substr(name.size()).starts_with('>'))
        return trimBlanks(text_.substr(opening.valueStart, at - opening.valueStart));
    }
    return {};
  }
  return {};
}

}  // namespace korvex
