// ConversionOptions: the per-batch snapshot of every setting.
//
// The batch runner builds one record at the start of a batch from the current
// settings and hands it by reference to every per-file call. The converters
// read nothing else of the settings.
#pragma once

#include "conversion/language_table.h"

#include <string>

namespace quillex {

// The choices of the OPTIONS section. Each says what it does; the settings
// store maps them to and from the numbers the settings file holds.
enum class OverwriteFiles { AlwaysPrompt, AlwaysOverwrite };
// The container of QMX files: ANSI text (.TXT) or RTF (.RTF).
enum class QmxFileFormat { Text, Rtf };
// The paper an RTF file (a QMX file or a report) is laid out for.
enum class PaperSize { A4, Letter };
enum class CharacterSetText { Normal, Symbol };
// What becomes of the hyphenation of the source, or of the translation.
enum class Hyphenation { TurnOff, LeaveAsIs };
// Straight quotes in the QMX file: as they are, or as <:ldq>-style tags.
enum class SmartQuotes { AsText, AsTags };
// Read-only components: offered for translation, or hidden behind tags.
enum class ReadOnlyComponents { Translate, DontTranslate };
// Whether an index marker moved out of its paragraph leaves an anchor there.
enum class MarkerPlaceholders { Insert, DontInsert };

struct ConversionOptions {
    OverwriteFiles overwriteFiles = OverwriteFiles::AlwaysPrompt;
    QmxFileFormat fileFormatForQmx = QmxFileFormat::Rtf;
    PaperSize rtfPageSize = PaperSize::A4;
    CharacterSetText characterSetText = CharacterSetText::Normal;
    Hyphenation sourceHyphenation = Hyphenation::TurnOff;
    Hyphenation translationHyphenation = Hyphenation::LeaveAsIs;
    SmartQuotes smartQuotes = SmartQuotes::AsTags;
    ReadOnlyComponents readOnlyComponents = ReadOnlyComponents::DontTranslate;
    MarkerPlaceholders markerPlaceholders = MarkerPlaceholders::Insert;
    int sourceLanguageSelection = 1000;
    int targetLanguageSelection = 1000;
    bool parserDiagnostics = false; // parser exception texts go to the results list
    int machineReports = 0;         // verify: JSON (1) and JUnit (2) reports beside the .CMP
    bool writeReports = true;       // verify: false checks the file but keeps its existing reports

    // Languages, with their codes looked up when the record is built.
    LanguageRecord sourceLanguage;
    LanguageRecord targetLanguage;

    // Directories of the batch, each ending with "/": where the source files
    // are, where QMX and ORG files go (or come from), and the translated folder.
    std::string sourceDirectory;
    std::string orgDirectory;
    std::string translatedDirectory;

    // Filled per file by the batch runner before each per-file call.
    std::string inputPath; // full path of the chosen file
    std::string baseName;  // file name without folder and extension
    std::string extension; // ".DOC", ".STY", ".TXT", ".RTF", ".CAT"

    bool writesRtf() const { return fileFormatForQmx == QmxFileFormat::Rtf; }
};

} // namespace quillex
