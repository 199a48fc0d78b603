#include "grid/grid_spec.h"

#include <stdexcept>
#include <string>

namespace korvex {

void checkColumnPlaces(const GridSpec& spec) {
  for (std::size_t at = 0; at < spec.columns.size(); ++at) {
    const int place = spec.columns[at].place;
    if (place >= 0 && static_cast<std::size_t>(place) != at)
      throw std::logic_error(spec.name + ": the column at " + std::to_string(at) +
                             " is named as column " + std::to_string(place));
  }
}

}  // namespace korvex
