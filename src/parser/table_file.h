// Reading a table image from a file for the lexer and parser table loaders.
#pragma once

#include "parser/ss_exception.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillex {

// The whole file as bytes. A file that cannot be opened raises `openFailed`
// with the path and the C error number; a read error or an empty file raises
// `readFailed` with the path and the error number (or the length, 0).
std::vector<std::uint8_t> readTableFile(const std::string& path, SSExceptionId openFailed,
                                        SSExceptionId readFailed);

} // namespace quillex
