#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "state/form.h"
#include "text/result.h"

namespace korvex {

// The remembered log-in: the login on line 1, the password on line 2, plain CP1251 text.
inline constexpr const char* kCredentialsFileName = "kx.log";

// Splits at CR LF, LF or CR; a last line without an ending still counts.
std::vector<std::string> splitLines(std::string_view text);

// The file's bytes for a log-in, exactly as SaveCredentials writes them.
std::string credentialsText(std::string_view login, std::string_view password);
// Fills loginedit from line 1 and passedit from line 2 of the file's bytes; a field whose
// line is missing keeps what it held.
void fillLogInFields(Form& form, std::string_view text);

// Fills loginedit, passedit and zap from kx.log in `workdir`, as far as it can be read.
void LoadCredentials(Form& form, const std::filesystem::path& workdir);
// Writes CurrentLogin and CurrentPassword to kx.log, readable by the owner only.
// A failure says why in words for the user; the earlier file, if any, stays.
Result<void> SaveCredentials(const Form& form, const std::filesystem::path& workdir);
// Removes kx.log; a missing file is fine.
void forgetCredentials(const std::filesystem::path& workdir);

}  // namespace korvex
