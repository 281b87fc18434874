// Fuzz target: the line file that hands out a file's lines.
//
// Checks: lines are never empty and never hold CR or LF; together they are
// the input without its CR and LF bytes; reading from memory and from a file
// give the same lines.
#include "fuzz_support.h"
#include "qmx/line_file.h"

#include <cstdint>

using namespace quillex;
using namespace quillex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fromMemory;
    LineFile memory = LineFile::fromBytes(bytes);
    for (std::string line; memory.readLine(line);)
        fromMemory.push_back(line);

    std::string withoutLineEnds;
    for (const char c : bytes)
        if (c != '\r' && c != '\n')
            withoutLineEnds += c;
    std::string together;
    for (const std::string& line : fromMemory) {
        if (line.empty())
            fail("an empty line was handed out");
        if (line.find_first_of("\r\n") != std::string::npos)
            fail("a line holds a line end");
        together += line;
    }
    if (together != withoutLineEnds)
        fail("the lines are not the input without its line ends");

    const std::string path = ScratchFolder::instance().subfolder("lines") + "input.TXT";
    writeFile(path, bytes);
    if (readLineFile(path) != fromMemory)
        fail("reading the file gives other lines than reading memory");
    return 0;
}
