#include "text/country_flags.h"

#include <array>
#include <string_view>
#include <unordered_map>

namespace korvex {
namespace {

struct FlagRow {
  std::string_view name;
  std::string_view iso;
};

// Row i is image index i + 1. The names are the feed's own spellings ("Singapoure",
// "Luxemburg") and must stay so. Index 49 and 103..109 hold pictures that no name
// selects; they get flags used nowhere else in the list.
constexpr std::array<FlagRow, kFlagImageCount - 1> kFlags = {{
    {"Argentina", "ar"},
    {"Armenia", "am"},
    {"Australia", "au"},
    {"Austria", "at"},
    {"Bahrain", "bh"},
    {"Belarus", "by"},
    {"Belgium", "be"},
    {"Bosnia", "ba"},
    {"Brazil", "br"},
    {"Bulgaria", "bg"},
    {"Cameroon", "cm"},
    {"Canada", "ca"},
    {"Chile", "cl"},
    {"China", "cn"},
    {"Colombia", "co"},
    {"Costa Rica", "cr"},
    {"Croatia", "hr"},
    {"Cyprus", "cy"},
    {"Czech Republic", "cz"},
    {"Denmark", "dk"},
    {"Egypt", "eg"},
    {"El Salvador", "sv"},
    {"England", "england"},
    {"Estonia", "ee"},
    {"UEFA", "europeanunion"},
    {"Finland", "fi"},
    {"France", "fr"},
    {"Georgia", "ge"},
    {"Germany", "de"},
    {"Greece", "gr"},
    {"Guatemala", "gt"},
    {"Honduras", "hn"},
    {"Hong Kong", "hk"},
    {"Hungary", "hu"},
    {"Iceland", "is"},
    {"India", "in"},
    {"Indonesia", "id"},
    {"Iran", "ir"},
    {"Iraq", "iq"},
    {"Ireland", "ie"},
    {"Israel", "il"},
    {"Italy", "it"},
    {"Japan", "jp"},
    {"Jordan", "jo"},
    {"Kazakhstan", "kz"},
    {"Kuwait", "kw"},
    {"Lebanon", "lb"},
    {"Lithuania", "lt"},
    {{}, "li"},  // Liechtenstein
    {"Malaysia", "my"},
    {"Mexico", "mx"},
    {"Moldova", "md"},
    {"Montenegro", "me"},
    {"Morocco", "ma"},
    {"Netherlands", "nl"},
    {"New Zealand", "nz"},
    {"Norway", "no"},
    {"Paraguay", "py"},
    {"Peru", "pe"},
    {"Philippines", "ph"},
    {"Poland", "pl"},
    {"Portugal", "pt"},
    {"Qatar", "qa"},
    {"Romania", "ro"},
    {"Russia", "ru"},
    {"Saudi Arabia", "sa"},
    {"Scotland", "scotland"},
    {"Senegal", "sn"},
    {"Serbia", "rs"},
    {"Singapoure", "sg"},
    {"Slovakia", "sk"},
    {"Slovenia", "si"},
    {"South Africa", "za"},
    {"South Korea", "kr"},
    {"Spain", "es"},
    {"Sweden", "se"},
    {"Switzerland", "ch"},
    {"Thailand", "th"},
    {"Tunisia", "tn"},
    {"Turkey", "tr"},
    {"Ukraine", "ua"},
    {"UAE", "ae"},
    {"USA", "us"},
    {"Uruguay", "uy"},
    {"Uzbekistan", "uz"},
    {"Venezuela", "ve"},
    {"Vietnam", "vn"},
    {"Wales", "wales"},
    {"Yemen", "ye"},
    {"Andorra", "ad"},
    {"Nigeria", "ng"},
    {"Swaziland", "sz"},
    {"Algeria", "dz"},
    {"Syria", "sy"},
    {"Malta", "mt"},
    {"FYR of Macedonia", "mk"},
    {"Albania", "al"},
    {"Kosovo", "xk"},
    {"Azerbaijan", "az"},
    {"Uganda", "ug"},
    {"Latvia", "lv"},
    {"Luxemburg", "lu"},
    {{}, "tw"},  // Chinese Taipei
    {{}, "ec"},  // Ecuador
    {{}, "do"},  // Dominican Republic
    {{}, "bo"},  // Bolivia
    {{}, "pr"},  // Puerto Rico
    {{}, "mc"},  // Monaco
    {{}, "sm"},  // San Marino
}};

constexpr int kEuropeIndex = 25;
constexpr std::array<std::string_view, 5> kRegions = {"Asia", "CAF", "CONCACAF", "CONMEBOL",
                                                      "Europe"};

std::unordered_map<std::string_view, int> buildIndex() {
  std::unordered_map<std::string_view, int> index;
  for (std::size_t i = 0; i < kFlags.size(); ++i) {
    if (!kFlags[i].name.empty()) index.emplace(kFlags[i].name, static_cast<int>(i) + 1);
  }
  for (std::string_view region : kRegions) index.emplace(region, kEuropeIndex);
  return index;
}

}  // namespace

int CountryFlagIndex(std::string_view name) {
  static const std::unordered_map<std::string_view, int> index = buildIndex();
  const auto found = index.find(name);
  return found == index.end() ? 0 : found->second;
}

std::string_view flagIsoCode(int index) {
  if (index < 1 || index >= kFlagImageCount) return {};
  return kFlags[static_cast<std::size_t>(index) - 1].iso;
}

}  // namespace korvex
