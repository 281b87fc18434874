// The file registry: numbers for the paths of parsed files.
//
// Pieces store the number of the file they were parsed from; the backward
// conversion finds the path again through it. The registry lives for the
// whole process: a path registered twice keeps its first number, and numbers
// start at 1 for the first path of the run. Paths are compared upper-cased.
#pragma once

#include <string>

namespace quillex {

// The number of `path`, registering it when it is new.
int registerFile(const std::string& path);

// The path registered under `number`; empty when there is none.
std::string fileName(int number);

} // namespace quillex
