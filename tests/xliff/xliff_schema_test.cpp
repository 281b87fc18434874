// Every XLIFF file that export writes of the corpus and the examples (targets
// copied, so that notes, states and every code kind appear) is valid against
// the strict XLIFF 1.2 schema with ours (share/quillex/xliff-qx.xsd) beside
// it, as xmllint checks it. The strict schema comes from Debian's
// php-symfony-translation; it imports xml.xsd from the web, so a wrapper
// schema imports the local copy first and xmllint runs without network.
// Both tools come with scripts/install-deps.sh; without them the test fails.
#include "backward/round_trip_documents.h"
#include "backward/round_trip_support.h"
#include "support/command_run.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::string kSchemaFolder = "/usr/share/php/Symfony/Component/Translation/Resources/schemas/";
const std::string kOurSchema = std::string(QUILLEX_EXAMPLES) + "/../share/quillex/xliff-qx.xsd";

std::string wrapperSchema() {
    return "<?xml version=\"1.0\"?>\n"
           "<xsd:schema xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">\n"
           "  <xsd:import namespace=\"http://www.w3.org/XML/1998/namespace\" schemaLocation=\"" +
           kSchemaFolder +
           "xml.xsd\"/>\n"
           "  <xsd:import namespace=\"urn:oasis:names:tc:xliff:document:1.2\" "
           "schemaLocation=\"" +
           kSchemaFolder +
           "xliff-core-1.2-strict.xsd\"/>\n"
           "  <xsd:import namespace=\"urn:x-quillex:qmx\" schemaLocation=\"" +
           std::filesystem::canonical(kOurSchema).string() +
           "\"/>\n"
           "</xsd:schema>\n";
}

TEST(XliffSchema, EveryExportedFileIsValidStrictXliff) {
    ASSERT_TRUE(std::filesystem::exists(kSchemaFolder + "xliff-core-1.2-strict.xsd"))
        << "the strict XLIFF 1.2 schema is missing: run scripts/install-deps.sh "
           "(Debian php-symfony-translation)";
    ASSERT_EQ(runCommand("command -v xmllint").status, 0)
        << "xmllint is missing (Debian libxml2-utils)";

    RoundTrip trip(RoundTrip::Format::Text, "English (US)", "French");
    const std::vector<Document> documents = corpusDocuments();
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    std::vector<std::string> names = translatedNamesOf(documents, trip);
    names.push_back(trip.ancillaryName());

    xliff::ExportSettings settings;
    settings.targetLanguage = "French";
    settings.targets = xliff::Targets::Copy;
    trip.work.subfolder("xliff");
    std::string files;
    for (const std::string& name : names) {
        const std::string exported = trip.work.folder() + "xliff/" + name + ".xlf";
        xliff::exportToXliff({trip.work.folder() + "first/org/" + name}, exported, settings);
        files += " '" + exported + "'";
    }
    trip.write("wrapper.xsd", wrapperSchema());
    const std::string schema = trip.work.folder() + "wrapper.xsd";
    const auto [status, output] =
        runCommand("xmllint --noout --nonet --schema '" + schema + "'" + files);
    EXPECT_EQ(status, 0) << output;
    // One "validates" line per file: xmllint names each file it checked.
    std::size_t validated = 0;
    for (std::size_t at = output.find(" validates"); at != std::string::npos;
         at = output.find(" validates", at + 1))
        ++validated;
    EXPECT_EQ(validated, names.size()) << output;
}

} // namespace
