#include "grid/grid_description.h"

#include <stdexcept>
#include <string>

namespace korvex {

void checkColumnPlaces(const GridDescription& description) {
  for (std::size_t at = 0; at < description.columns.size(); ++at) {
    const int place = description.columns[at].place;
    if (place >= 0 && static_cast<std::size_t>(place) != at)
      throw std::logic_error(description.name + ": the column at " + std::to_string(at) +
                             " is named as column " + std::to_string(place));
  }
}

}  // namespace korvex
