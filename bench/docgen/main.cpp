// quillex-docgen: writes a generated Interleaf ASCII document or style file.
//
//   quillex-docgen --seed N --size BYTES --kind doc|sty [--japanese] [--crlf]
//                  [--mix mixed|text|rich] [--refused KIND]... -o FILE
//
// BYTES takes the suffixes K, M and G (powers of 1024). --mix picks what the
// body is made of: every construct (the default), running text only, or
// tables, frames and markers.
#include "document_generator.h"
#include "generator_options.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <iostream>

using namespace quillex::docgen;

int main(int argc, char** argv) {
    CLI::App app{"Writes a valid Interleaf ASCII 8.x document or style file from a seed."};
    GeneratorOptions options;
    std::string sizeText = "64K";
    std::string kind = "doc";
    std::string mix = "mixed";
    std::vector<std::string> refused;
    std::string output;
    app.add_option("--seed", options.seed, "seed of the document (same seed, same bytes)");
    app.add_option("--size", sizeText, "size in bytes; suffixes K, M, G");
    app.add_option("--kind", kind, "doc or sty")->check(CLI::IsMember({"doc", "sty"}));
    app.add_flag("--japanese", options.japanese, "Shift-JIS text and the SJIS encoding");
    app.add_flag("--crlf", options.crlf, "CR LF line ends");
    app.add_option("--mix", mix,
                   "body made of: mixed, text (running text) or rich (tables, frames)");
    std::string refusedHelp = "add a construct the converter refuses:";
    for (const std::string_view name : refusedNames())
        refusedHelp += " " + std::string(name);
    app.add_option("--refused", refused, refusedHelp);
    app.add_option("-o,--output", output, "file to write")->required();
    CLI11_PARSE(app, argc, argv);

    const auto size = parseSize(sizeText);
    if (!size) {
        std::cerr << "quillex-docgen: bad size: " << sizeText << '\n';
        return 2;
    }
    options.size = *size;
    options.kind = kind == "sty" ? DocumentKind::Style : DocumentKind::Document;
    const auto body = mixFromName(mix);
    if (!body) {
        std::cerr << "quillex-docgen: unknown mix: " << mix << '\n';
        return 2;
    }
    options.mix = *body;
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
