// Fuzz target: importing an XLIFF document that a translation tool gave back.
//
// The input is the XLIFF; the source QMX files it names are fixed files of
// the target's own. Checks: the import either refuses with a message
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

namespace {

struct Source {
    const char* name;
    const char* text;
};

// Every kind of code the export makes: pairs, lone tags, a pair that closes
// on another line, literal brackets, a catalog line without text, units not
// to translate.
const Source kSources[] = {
    {"a.TXT", "<qmx \"I2.00\">\r\n<language \"English (US)\">\r\n<quotes \"As tags\">\r\n"
              "<readonly \"Don't translate\">\r\n<page \"1\">\r\n"
              "<ps \"para\" 1>Type <:fc 1>a <:lt> b<:/fc> and<:t>press <:ldq>Enter<:rdq>.\r\n"
              "<ps \"step\" 2><pn \"<:an 1.><:t>\" 1>Open the <:cs \"keycap\" 1>cover\r\n"
              "<:hr>and close it<:/cs> again <:xr 12 2>.\r\n<xrv \"4\" 1> (see page)\r\n"
              "<cnmk 1>\r\n</page>\r\n</qmx>\r\n"},
    {"b.TXT", "<qmx \"I2.00\">\r\n<language \"English (US)\">\r\n<quotes \"As tags\">\r\n"
              "<readonly \"Don't translate\">\r\n"
              "<ps \"para\" 1>Clean the <:fc 1>printer<:/fc> once<:t>a month.\r\n"
              "<ps \"para\" 1>Keep the cover closed.\r\n</qmx>\r\n"},
};

struct Setup {
    std::string sources;
    std::string output;
};

const Setup& setup() {
    static const Setup made = [] {
        ScratchFolder& scratch = ScratchFolder::instance();
        Setup s{scratch.subfolder("sources"), scratch.subfolder("output")};
        for (const Source& source : kSources)
            writeFile(s.sources + source.name, source.text);
        // The exports are the natural seeds: fuzz/run asks for them through
        // QUILLEX_FUZZ_SEEDS.
        if (const char* seeds = std::getenv("QUILLEX_FUZZ_SEEDS")) {
            xliff::ExportSettings settings;
            std::vector<std::string> all;
            for (const Source& source : kSources) {
                all.push_back(s.sources + source.name);
                xliff::exportToXliff({all.back()}, std::string(seeds) + "/" + source.name + ".xlf",
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
