#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

#include "text/result.h"

namespace korvex {

// Replaces `file` with `bytes` in one rename. The bytes first go to a new file with an
// unused name in the same folder, created exclusively and never through a link, so a link
// planted at any name we write cannot redirect the write, and a failure leaves `file` as
// it was and no temporary file behind. `mode` is the new file's permission bits, narrowed
// by the umask as for any new file. A failure gives the system's words for the first error.
Result<void> replaceFile(const std::filesystem::path& file, std::string_view bytes, mode_t mode);

}  // namespace korvex
