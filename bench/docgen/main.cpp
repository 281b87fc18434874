// quillex-docgen: writes a generated Interleaf ASCII document or style file.
//
//   quillex-docgen --seed N --size BYTES --kind doc|sty [--japanese] [--crlf]
//                  [--refused KIND]... -o FILE
//
// BYTES takes the suffixes K, M and G (powers of 1024).
#include "document_generator.h"
#include "generator_options.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace {

using namespace quillex::docgen;

bool parseSize(const std::string& text, std::uint64_t& size) {
    std::size_t end = 0;
    unsigned long long value = 0;
    try {
        value = std::stoull(text, &end);
    } catch (const std::exception&) {
        return false;
    }
    const std::string suffix = text.substr(end);
    std::uint64_t unit = 1;
    if (suffix == "K" || suffix == "k" || suffix == "KB")
        unit = 1024;
    else if (suffix == "M" || suffix == "MB")
        unit = 1024 * 1024;
    else if (suffix == "G" || suffix == "GB")
        unit = 1024ULL * 1024 * 1024;
    else if (!suffix.empty())
        return false;
    size = value * unit;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes a valid Interleaf ASCII 8.x document or style file from a seed."};
    GeneratorOptions options;
    std::string sizeText = "64K";
    std::string kind = "doc";
    std::vector<std::string> refused;
    std::string output;
    app.add_option("--seed", options.seed, "seed of the document (same seed, same bytes)");
    app.add_option("--size", sizeText, "size in bytes; suffixes K, M, G");
    app.add_option("--kind", kind, "doc or sty")->check(CLI::IsMember({"doc", "sty"}));
    app.add_flag("--japanese", options.japanese, "Shift-JIS text and the SJIS encoding");
    app.add_flag("--crlf", options.crlf, "CR LF line ends");
    std::string refusedHelp = "add a construct the converter refuses:";
    for (const std::string_view name : refusedNames())
        refusedHelp += " " + std::string(name);
    app.add_option("--refused", refused, refusedHelp);
    app.add_option("-o,--output", output, "file to write")->required();
    CLI11_PARSE(app, argc, argv);

    if (!parseSize(sizeText, options.size)) {
        std::cerr << "quillex-docgen: bad size: " << sizeText << '\n';
        return 2;
    }
    options.kind = kind == "sty" ? DocumentKind::Style : DocumentKind::Document;
    for (const std::string& name : refused) {
        const auto construct = refusedFromName(name);
        if (!construct) {
            std::cerr << "quillex-docgen: unknown refused construct: " << name << '\n';
            return 2;
        }
        options.refused.insert(*construct);
    }
    if (!generateDocumentFile(options, output)) {
        std::cerr << "quillex-docgen: cannot write " << output << ": " << std::strerror(errno)
                  << '\n';
        return 1;
    }
    return 0;
}
