// Helpers shared by the subcommands: opening tables, reporting errors.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/status.h"
#include "command.h"
#include "xbase/table.h"

namespace kav::dbftool {

// Prints "dbftool: message" to stderr and returns the exit status 2.
int fail(const Status& st);

// Opens a table (its name looked up ignoring case) and attaches the given
// indexes in order.
Status open_table(const std::string& path, const std::vector<std::string>& indexes,
                  std::unique_ptr<xbase::Table>* out);

// Splits arguments into positional ones and the flags listed in `known`;
// any other "--" argument is an error.
Status split_args(const Args& args, const std::vector<std::string>& known,
                  std::vector<std::string>* positional, std::vector<std::string>* flags);
bool has_flag(const std::vector<std::string>& flags, const std::string& flag);

// A record number argument: digits only, at least 1.
Status parse_recno(const std::string& text, uint32_t* recno);

}  // namespace kav::dbftool
