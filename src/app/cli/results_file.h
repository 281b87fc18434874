// The file that `--results` saves the results list to.
//
// The results list is written over the path the user names, so a slip of
// the shell (`--results *.DOC`) must not cost a document: a path that is an
// input of the batch, or a file the batch itself writes, is refused before
// the batch starts.
#pragma once

#include "app/batch_kind.h"

#include <string>
#include <vector>

namespace quillex {

// Where the batch reads and writes, as far as the results file is concerned.
struct BatchFiles {
    BatchKind kind = BatchKind::Forward;
    std::vector<std::string> inputs;     // absolute paths
    std::vector<std::string> outputDirs; // the folders outputs go to, with trailing "/"
};

// Why `resultsPath` (absolute) may not take the results list: empty when it
// may.
std::string resultsFileConflict(const std::string& resultsPath, const BatchFiles& batch);

} // namespace quillex
