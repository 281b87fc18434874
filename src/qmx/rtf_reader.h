// RtfReader: turns a translated QMX file saved as RTF back into its lines.
//
// A small table-driven tokenizer, not an RTF interpreter: it keeps the
// running text, makes each \par a line break, decodes escapes and drops what
// is not text (destinations such as font and style tables, headers,
// footnotes, pictures; hidden text). Bytes pass through as they are; the
// reader knows no code pages.
//
// Failures are thrown as ConversionFailure with result codes 5010 to 5060; a file that
// cannot be opened or read throws FileError.
#pragma once

#include "qmx/line_file.h"
#include "qmx/rtf_keywords.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillex {

class RtfReader {
  public:
    explicit RtfReader(LineFile& input, std::span<const RtfKeyword> keywords = rtfKeywords());

    // Reads the input to its end and appends its paragraphs, one line each,
    // to `lines`. On a failure `lines` is left as it was.
    void read(std::vector<std::string>& lines);

  private:
    enum class InputState : std::uint8_t { Normal, Binary, Hex };

    // What a group restores when it ends.
    struct SavedState {
        bool hidden;
        bool skipping;
        InputState input;
    };

    void start();
    bool nextChar(char& c);
    void putBack();
    void readControlWord();
    void applyKeyword(std::string_view name, bool hasParameter, std::int64_t parameter);
    void applyProperty(const RtfKeyword& keyword, bool hasParameter, std::int64_t parameter);
    void applySpecial(const RtfKeyword& keyword, bool hasParameter);
    void takeHexDigit(char c);
    void deliverByte(unsigned char byte);
    void deliverLineEnd();
    void pushGroup();
    void popGroup();

    LineFile& input_;
    std::span<const RtfKeyword> keywords_;

    bool hidden_ = false;
    bool skipping_ = false;
    InputState inputState_ = InputState::Normal;
    std::uint64_t binaryBytesLeft_ = 0;
    std::uint64_t lastParameter_ = 0;
    bool skipIfUnlisted_ = false;
    int hexDigits_ = 0;
    unsigned hexValue_ = 0;
    std::vector<SavedState> groups_;

    std::string inputLine_;
    std::size_t inputPos_ = 0;
    bool startedNewLine_ = false; // the last character began a physical line
    std::string outputLine_;
    std::vector<std::string> output_;
};

// Reads the RTF file at `path` and appends its lines to `lines`.
void readRtfFile(const std::string& path, std::vector<std::string>& lines);

// The same for RTF text held in memory.
void readRtfBytes(std::string bytes, std::vector<std::string>& lines);

} // namespace quillex
