#pragma once
// Where xrdfit's files go. Every output is checked before anything is created, so that a
// refused command line leaves no file behind; then the run's files are made. A table file
// is kept until the run is over and then replaced whole, so that a run that fails to write
// it, or does not end, leaves the table that was there.

#include <iosfwd>
#include <optional>
#include <sstream>
#include <string>

#include "batch/fit_options.h"
#include "pattern/safe_file.h"

class FitOutputs {
  public:
    // Checks every output and then creates what the run writes into: a missing *.fit file
    // with its header line, the folder for the pictures, the table's new content. Why the
    // command line cannot be run; nothing when the run may start. The table goes to out
    // when no file is named.
    std::optional<std::string> open(const FitOptions& options, std::ostream& out);

    std::ostream& table() { return *table_; }

    // Puts the table in place; the message naming what failed, nothing when it is whole.
    std::optional<std::string> saveTable();

  private:
    std::optional<SafeFile> tableSave_;
    std::ostringstream tableText_;
    std::ostream* table_ = nullptr;
};
