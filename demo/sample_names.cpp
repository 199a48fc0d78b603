#include "sample_names.h"

namespace korvex::demo {
namespace {

using Names = std::vector<std::string>;

struct NamePool {
  std::string country;
  Names menFirst;
  Names womenFirst;
  Names menLast;
  Names womenLast;  // empty: the same surnames as the men
};

// Invented combinations of common names; Russian and Kazakh players keep their Cyrillic
// spelling, as the service shows them.
const std::vector<NamePool>& pools() {
  static const std::vector<NamePool> kPools = {
      {"Spain",
       {"Carlos", "Pablo", "Alejandro", "Javier", "Marc"},
       {"Lucia", "Paula", "Marta", "Nuria", "Elena"},
       {"Moreno", "Navarro", "Ortega", "Delgado", "Castillo", "Vidal", "Serrano"},
       {}},
      {"Russia",
       {"Андрей", "Дмитрий", "Илья", "Максим", "Никита", "Павел"},
       {"Мария", "Анна", "Екатерина", "Дарья", "Полина", "Алина"},
       {"Соколов", "Лебедев", "Орлов", "Воронов", "Зайцев", "Громов"},
       {"Соколова", "Лебедева", "Орлова", "Воронова", "Зайцева", "Громова"}},
      {"Kazakhstan",
       {"Тимур", "Арман", "Ерлан", "Данияр"},
       {"Айгерим", "Дана", "Жанна", "Алия"},
       {"Абенов", "Нурланов", "Жумабаев", "Сейтов"},
       {"Абенова", "Нурланова", "Жумабаева", "Сейтова"}},
      {"Ukraine",
       {"Oleksandr", "Vitaliy", "Denys", "Serhiy"},
       {"Kateryna", "Yuliia", "Daria", "Anhelina"},
       {"Kovalenko", "Tkachuk", "Melnyk", "Savchenko", "Rudenko"},
       {}},
      {"Czech Republic",
       {"Jakub", "Tomas", "Ondrej", "Lukas", "Vojtech"},
       {"Tereza", "Barbora", "Veronika", "Lucie"},
       {"Novak", "Dvorak", "Horak", "Prochazka", "Kucera"},
       {"Novakova", "Dvorakova", "Horakova", "Prochazkova", "Kucerova"}},
      {"France",
       {"Hugo", "Lucas", "Arthur", "Theo", "Quentin"},
       {"Chloe", "Manon", "Camille", "Oceane", "Clara"},
       {"Lefebvre", "Moreau", "Girard", "Fournier", "Mercier"},
       {}},
      {"Italy",
       {"Lorenzo", "Matteo", "Andrea", "Filippo", "Simone"},
       {"Giulia", "Martina", "Sofia", "Chiara", "Elisa"},
       {"Ferri", "Colombo", "Galli", "Rinaldi", "Marchetti", "Bassi"},
       {}},
      {"Germany",
       {"Jonas", "Maximilian", "Felix", "Tim"},
       {"Laura", "Lena", "Julia", "Carina"},
       {"Wagner", "Hoffmann", "Schulz", "Keller", "Brandt", "Vogel"},
       {}},
      {"USA",
       {"Ethan", "Tyler", "Brandon", "Ryan", "Kevin"},
       {"Madison", "Ashley", "Kayla", "Hailey", "Lauren"},
       {"Parker", "Collins", "Bennett", "Hayes", "Foster", "Brooks"},
       {}},
      {"Argentina",
       {"Facundo", "Tomas", "Juan Pablo", "Mateo", "Santiago"},
       {"Camila", "Agustina", "Florencia", "Julieta"},
       {"Gimenez", "Sosa", "Ruiz", "Acosta", "Benitez", "Paz"},
       {}},
      {"Serbia",
       {"Nikola", "Stefan", "Marko", "Lazar"},
       {"Milica", "Teodora", "Katarina", "Nina"},
       {"Petrovic", "Jovanovic", "Markovic", "Nikolic", "Pavlovic"},
       {}},
      {"Japan",
       {"Kenta", "Yuto", "Sho", "Daiki"},
       {"Yui", "Haruka", "Misaki", "Aoi"},
       {"Sato", "Tanaka", "Suzuki", "Takahashi", "Watanabe"},
       {}},
      {"Australia",
       {"Jack", "Liam", "Cooper", "Riley"},
       {"Olivia", "Isla", "Ruby", "Zoe"},
       {"Mitchell", "Walsh", "Cameron", "Harding", "Fraser"},
       {}},
      {"Brazil",
       {"Joao", "Gabriel", "Rafael", "Thiago"},
       {"Beatriz", "Larissa", "Luiza"},
       {"Pereira", "Costa", "Almeida", "Ribeiro", "Carvalho"},
       {}},
      {"Croatia",
       {"Ivan", "Luka", "Josip", "Dino"},
       {"Petra", "Iva", "Lea", "Donna"},
       {"Horvat", "Kovacevic", "Babic", "Juric", "Novosel"},
       {}},
      {"Poland",
       {"Kacper", "Mateusz", "Szymon"},
       {"Zofia", "Weronika", "Natalia"},
       {"Nowak", "Wojcik", "Kaminski", "Zielinski"},
       {"Nowak", "Wojcik", "Kaminska", "Zielinska"}},
      {"Romania",
       {"Andrei", "Mihai", "Radu", "Vlad"},
       {"Ioana", "Andreea", "Irina"},
       {"Popescu", "Ionescu", "Dumitru", "Munteanu"},
       {}},
      {"Turkey",
       {"Emre", "Mert", "Cem"},
       {"Zeynep", "Elif", "Ipek"},
       {"Yilmaz", "Demir", "Kaya", "Celik"},
       {}},
      // Not in the flag table: the client shows its neutral picture for it.
      {"Monaco", {"Louis", "Antoine"}, {"Charlotte", "Pauline"}, {"Bertrand", "Giordano"}, {}},
  };
  return kPools;
}

const NamePool* poolFor(std::string_view country) {
  for (const NamePool& pool : pools()) {
    if (pool.country == country) return &pool;
  }
  return nullptr;
}

// The bytes of the first character of a UTF-8 text.
std::string firstCharacter(const std::string& text) {
  if (text.empty()) return {};
  unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return text.substr(0, length);
}

}  // namespace

std::string PersonName::shortName() const {
  return last + " " + firstCharacter(first) + ".";
}

std::string PersonName::fullName() const {
  return first + " " + last;
}

const std::vector<std::string>& playerCountries() {
  static const std::vector<std::string> kCountries = [] {
    std::vector<std::string> countries;
    for (const NamePool& pool : pools()) countries.push_back(pool.country);
    return countries;
  }();
  return kCountries;
}

bool hasNamePool(std::string_view country) {
  return poolFor(country) != nullptr;
}

PersonName randomName(Random& random, std::string_view country, Gender gender) {
  const NamePool* pool = poolFor(country);
  if (pool == nullptr) pool = &pools().front();
  bool men = gender == Gender::Men;
  const Names& lasts = men || pool->womenLast.empty() ? pool->menLast : pool->womenLast;
  return {random.pick(men ? pool->menFirst : pool->womenFirst), random.pick(lasts)};
}

}  // namespace korvex::demo
