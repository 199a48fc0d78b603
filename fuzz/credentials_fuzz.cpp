#include <cstddef>
#include <cstdint>
#include <string_view>

#include "login/credentials.h"
#include "state/form.h"

// Whatever kx.log holds, the fields read from it carry no line break, line 1 is where the
// login comes from, and what is read is what a save of it would give back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // A Form is costly to build and only these two fields are touched: reuse one.
  static korvex::Form form, again;
  form.about.loginedit.clear();
  form.about.passedit.clear();
  korvex::fillLogInFields(form, text);
  for (const std::string* field : {&form.about.loginedit, &form.about.passedit})
    if (field->find_first_of("\r\n") != std::string::npos) __builtin_trap();
  if (!text.starts_with(form.about.loginedit)) __builtin_trap();

  again.about.loginedit.clear();
  again.about.passedit.clear();
  korvex::fillLogInFields(again,
                          korvex::credentialsText(form.about.loginedit, form.about.passedit));
  if (again.about.loginedit != form.about.loginedit || again.about.passedit != form.about.passedit)
    __builtin_trap();
  return 0;
}
