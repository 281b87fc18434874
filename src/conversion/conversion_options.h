// ConversionOptions: the per-batch snapshot of every setting.
//
// The batch runner builds one record at the start of a batch from the current
// settings and hands it by reference to every per-file call. The converters
// read nothing else of the settings.
#pragma once

#include "conversion/language_table.h"

#include <string>

namespace quillex {

struct ConversionOptions {
    // Keep Paths group.
    int betweenSessions = 1;
    int duringSession = 1;

    // OPTIONS section, as integers.
    int rtfPageSize = 0;            // 0 A4, 1 Letter
    int overwriteFiles = 0;         // 0 Always Prompt, 1 Always Overwrite
    int fileFormatForQmx = 1;       // 0 ANSI text (.TXT), 1 RTF (.RTF)
    int characterSetText = 0;       // 0 Normal, 1 Symbol
    int sourceHyphenation = 0;      // 0 Turn Off, 1 Leave As Is
    int translationHyphenation = 1; // 0 Turn Off, 1 Leave As Is
    int smartQuotes = 1;            // 0 As Text, 1 As Tags
    int readOnlyComponents = 1;     // 0 Translate, 1 Don't Translate
    int sourceLanguageSelection = 1000;
    int targetLanguageSelection = 1000;
    int markerPlaceholders = 0; // 0 Insert, 1 Don't Insert
    int debug = 0;              // parser exception texts go to the results list
    int machineReports = 0;     // verify: JSON (1) and JUnit (2) reports beside the .CMP
    bool writeReports = true;   // verify: false checks the file but keeps its existing reports

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

    bool writesRtf() const { return fileFormatForQmx == 1; }
};

} // namespace quillex
