// Whole batches for round-trip tests: forward a document, convert its QMX
// file back, and forward the result again, each through the batch runner as
// a user runs them.
#pragma once

#include "app/batch_runner.h"
#include "app/fake_batch_host.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>

namespace quillex::testing {

class RoundTrip {
  public:
    enum class Format { Text, Rtf };

    // `sourceLanguage` and `targetLanguage` as the settings name them.
    explicit RoundTrip(Format format, std::string sourceLanguage = "English (US)",
                       std::string targetLanguage = "French")
        : format_(format), sourceLanguage_(std::move(sourceLanguage)),
          targetLanguage_(std::move(targetLanguage)) {}

    // The QMX extension of the format.
    std::string qmxExtension() const { return format_ == Format::Rtf ? ".RTF" : ".TXT"; }
    std::string ancillaryName() const { return "ANCILL" + qmxExtension(); }

    // Forward batch over `files` (written into a fresh source folder of round
    // `round` under the given names); the outputs go to round/org and
    // round/translated. Returns the folder of the translated copies.
    // The sources are written into `sourceRound`/source (default: the round's
    // own), so that a second round can convert its documents from the paths
    // the first round read (a document may quote its own path).
    std::string forward(const std::string& round,
                        const std::vector<std::pair<std::string, std::string>>& files,
                        const std::string& sourceRound = {}) {
        FakeBatchHost host;
        const std::string sources = (sourceRound.empty() ? round : sourceRound) + "/source/";
        for (const auto& [name, text] : files)
            host.files.push_back(work.write(sources + name, text));
        Settings settings = settingsFor(round);
        BatchRunner runner(host, settings);
        lastReport = runner.run(BatchKind::Forward);
        lastResults = host.results;
        return settings.paths.translatedFiles;
    }

    // Backward batch over the translated files `names` of round `round`
    // (their ORG files in round/org); the outputs go beside them.
    BatchReport backward(const std::string& round, const std::vector<std::string>& names) {
        FakeBatchHost host;
        return backward(round, names, host);
    }
    // The same through `host` (a test's own, which may cancel).
    BatchReport backward(const std::string& round, const std::vector<std::string>& names,
                         FakeBatchHost& host) {
        return runOnTranslated(BatchKind::Backward, round, names, host);
    }

    // Verify batch over the translated files `names` of round `round`
    // against the source QMX files the forward batch left in round/org.
    BatchReport verify(const std::string& round, const std::vector<std::string>& names) {
        FakeBatchHost host;
        return runOnTranslated(BatchKind::Verify, round, names, host);
    }

    std::string read(const std::string& path) const { return readFile(work.folder() + path); }
    void write(const std::string& path, const std::string& bytes) { work.write(path, bytes); }
    bool exists(const std::string& path) const {
        return std::filesystem::exists(work.folder() + path);
    }

    TempDir work;
    BatchReport lastReport;
    std::vector<std::string> lastResults;

  private:
    BatchReport runOnTranslated(BatchKind kind, const std::string& round,
                                const std::vector<std::string>& names, FakeBatchHost& host) {
        const std::string translated = work.folder() + round + "/translated/";
        for (const std::string& name : names)
            host.files.push_back(translated + name);
        Settings settings = settingsFor(round);
        BatchRunner runner(host, settings);
        lastReport = runner.run(kind);
        lastResults = host.results;
        return lastReport;
    }

    Settings settingsFor(const std::string& round) {
        Settings settings;
        settings.paths.orgFiles = work.subfolder(round + "/org");
        settings.paths.translatedFiles = work.subfolder(round + "/translated");
        settings.options.fileFormatForQmx =
            format_ == Format::Rtf ? QmxFileFormat::Rtf : QmxFileFormat::Text;
        settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
        settings.options.sourceLanguage = sourceLanguage_;
        settings.options.targetLanguage = targetLanguage_;
        return settings;
    }

    Format format_;
    std::string sourceLanguage_;
    std::string targetLanguage_;
};

} // namespace quillex::testing
