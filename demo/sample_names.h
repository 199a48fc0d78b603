#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "random.h"
#include "sample_world.h"

namespace korvex::demo {

struct PersonName {
  std::string first;
  std::string last;
  std::string shortName() const;  // "Moreno C.", "Соколов А."
  std::string fullName() const;   // "Carlos Moreno"
};

// The countries players come from: names of the flag table, and one the table lacks.
const std::vector<std::string>& playerCountries();
bool hasNamePool(std::string_view country);
PersonName randomName(Random& random, std::string_view country, Gender gender);

}  // namespace korvex::demo
