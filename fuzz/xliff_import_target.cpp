// Fuzz target: importing an XLIFF document that a translation tool gave back.
//
// The input is the XLIFF; the source QMX files it names are fixed files of
// the test data. Checks: the import either refuses with a message
// (XliffError, ImportError, a file error) or writes QMX files that have the
// source's lines, each line starting with the source line's fixed prefix:
// what is not translatable comes from the source, whatever the XLIFF says.
#include "foundation/file_error.h"
#include "fuzz_support.h"
#include "xliff/qmx_line.h"
#include "xliff/qmx_source.h"
#include "xliff/xliff_files.h"
#include "xliff/xliff_import.h"

#include <cstdint>

using namespace quillex;
using namespace quillex::fuzz;

#ifndef QUILLEX_FUZZ_XLIFF_SOURCES
#define QUILLEX_FUZZ_XLIFF_SOURCES "tests/data/xliff/sources/"
#endif

namespace {

// The source QMX files (QUILLEX_FUZZ_XLIFF_SOURCES, the test data's): every
// kind of code the export makes, pairs, lone tags, a pair that closes on
// another line, literal brackets, units not to translate.
constexpr const char* kSourceNames[] = {"a.TXT", "b.TXT"};

struct Setup {
    std::string sources;
    std::string output;
};

const Setup& setup() {
    static const Setup made = [] {
        ScratchFolder& scratch = ScratchFolder::instance();
        Setup s{scratch.subfolder("sources"), scratch.subfolder("output")};
        for (const char* name : kSourceNames)
            std::filesystem::copy_file(std::string(QUILLEX_FUZZ_XLIFF_SOURCES) + name,
                                       s.sources + name);
        // The exports are the natural seeds: fuzz/run asks for them through
        // QUILLEX_FUZZ_SEEDS.
        if (const char* seeds = std::getenv("QUILLEX_FUZZ_SEEDS")) {
            xliff::ExportSettings settings;
            std::vector<std::string> all;
            for (const char* name : kSourceNames) {
                all.push_back(s.sources + name);
                xliff::exportToXliff({all.back()}, std::string(seeds) + "/" + name + ".xlf",
                                     settings);
            }
            xliff::exportToXliff(all, std::string(seeds) + "/both.xlf", settings);
        }
        return s;
    }();
    return made;
}

// Each written file has its source's lines, with the source's prefixes.
void checkWritten(const std::vector<std::string>& written) {
    for (const std::string& path : written) {
        const std::string name = path.substr(path.find_last_of('/') + 1);
        const xliff::QmxSource source = xliff::readQmxSource(setup().sources + name);
        const xliff::QmxSource imported = xliff::readQmxSource(path);
        if (imported.lines.size() != source.lines.size())
            fail(name + ": the import has " + std::to_string(imported.lines.size()) +
                 " lines, the source " + std::to_string(source.lines.size()));
        for (std::size_t i = 0; i < source.lines.size(); ++i) {
            const auto prefix = xliff::splitQmxLine(source.lines[i]);
            if (prefix && !imported.lines[i].starts_with(prefix->prefix))
                fail(name + ": line " + std::to_string(i + 1) + " lost the source's prefix");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Setup& s = setup();
    const std::string input = ScratchFolder::instance().subfolder("input") + "in.xlf";
    writeFile(input, std::string_view(reinterpret_cast<const char*>(data), size));
    emptyFolder(s.output);
    std::vector<std::string> written;
    try {
        written = xliff::importFromXliff(input, s.sources, s.output);
    } catch (const xliff::XliffError&) {
        return 0;
    } catch (const xliff::ImportError&) {
        return 0;
    } catch (const FileProblem&) {
        return 0;
    } catch (const std::runtime_error&) {
        return 0; // a language the table lacks, a code page iconv refuses
    }
    checkWritten(written);
    return 0;
}
