// An XLIFF 1.2 document as quillex writes and reads it: one file element per
// QMX file, one trans-unit per QMX line in line order. A line whose content
// holds text is a unit to translate; the others (header lines, structure
// tags) are units marked translate="no", so that the whole QMX file comes
// back from the XLIFF alone.
#pragma once

#include "xliff/unit_content.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillex::xliff {

// The attribute namespace of what only quillex reads.
inline constexpr const char* kQuillexNamespace = "urn:x-quillex:qmx";

enum class Container { Text, Rtf };

// Where a target filled from a translation memory was found: the same
// paragraph in the same place (class and neighbours), or elsewhere.
enum class MemoryMatch { InContext, Exact };

struct XliffUnit {
    int id = 0;          // the line number in the QMX file, from 1
    std::string prefix;  // the fixed start of the line, in the source code page
    std::string resname; // a name without markup: "para.12"
    std::string note;    // context for the translator: "paragraph class para"
    bool translate = true;
    UnitContent source;
    std::optional<UnitContent> target;
    // The state attribute of the target ("needs-translation"); empty for none.
    std::string targetState;
    // The characters of character tags that the source writes as text of its
    // code page instead (unicode_codes.h); known from the source QMX only.
    std::vector<std::string> textCharacters;
    std::optional<MemoryMatch> memoryMatch; // the target came from a memory
};

struct XliffFile {
    std::string original; // the QMX file's name: "chapter4.TXT"
    Container container = Container::Text;
    std::string sourceLanguage; // language names as the settings spell them
    std::string targetLanguage;
    bool letterPaper = false; // the paper size of an RTF container
    std::vector<XliffUnit> units;
};

// Serialises `files` as one XLIFF document, UTF-8.
std::string writeXliff(const std::vector<XliffFile>& files);

// Thrown for an XLIFF document that cannot be read: what is wrong and where.
class XliffError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads an XLIFF document that writeXliff wrote and a translation tool may
// have edited. The units' prefixes, names and notes are not read: import
// takes the lines' fixed parts from the source QMX file. Throws XliffError.
std::vector<XliffFile> readXliff(std::string_view bytes);

} // namespace quillex::xliff
