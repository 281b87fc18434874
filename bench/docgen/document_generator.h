// The document generator: valid Interleaf ASCII 8.x documents and style files
// of a chosen size from a seed.
//
// The same options always give the same bytes. Output streams through a
// DocumentSink, so the cost is linear in the size and memory stays small
// whatever the size. With the default body mix a document holds every
// construct the reader knows once it is a few hundred kilobytes long; smaller
// ones hold a simpler mix. The size is met exactly unless it is below the
// smallest document (about 700 bytes), which is then written whole.
#pragma once

#include "generator_options.h"

#include <cstdio>
#include <string>

namespace quillex::docgen {

class DocumentSink;

void generateDocument(const GeneratorOptions& options, DocumentSink& out);

// Writes the document to `path`; returns false (with errno set) when the file
// cannot be written.
bool generateDocumentFile(const GeneratorOptions& options, const std::string& path);

// The whole document in memory, for tests and small seeds.
std::string generateDocumentText(const GeneratorOptions& options);

} // namespace quillex::docgen
