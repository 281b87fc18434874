// CReplaceList: the replacement pieces of one skeleton, in position order,
// and the copy of the skeleton with each of their ranges replaced.
//
// The skeleton is read once, front to back, so the pieces must not overlap.
// The output appears only when it is complete: it is written to a temporary
// file and renamed into place, so a failure leaves an earlier file of that
// name as it was.
#pragma once

#include "backward/replace_piece.h"

#include <memory>
#include <string>
#include <vector>

namespace quillex {
class ConversionHost;
class FileProblem;
} // namespace quillex

namespace quillex::backward {

class CRCFile;

// How the output's bytes reach the disk: as held, or with the double-byte
// characters of Shift-JIS text turned into EUC (a Japanese (EUC) target).
// Either way every line feed is written as the skeleton's line end.
enum class OutputEncoding { AsHeld, ShiftJisToEuc };

class CReplaceList {
  public:
    // `host` receives the messages; none in tests that do not look at them.
    explicit CReplaceList(ConversionHost* host = nullptr) : host_(host) {}

    // Files `piece` by position. False when it is dropped: its replacement
    // equals its source (those skeleton bytes stay as they are), or a piece
    // of the same range is listed (the first translation stays; a different
    // one is reported). A piece that overlaps a listed one goes first, where
    // apply() refuses it.
    bool add(std::unique_ptr<CReplacePiece> piece);

    // Writes `outputPath`: the skeleton `inputPath` (empty: the file of the
    // first piece added) with every listed range replaced. Throws
    // ConversionFailure(ParserError) when a range lies before the reading
    // position (overlap, wrong order) or beyond the skeleton's end, the
    // FileProblem of a file that cannot be read or written, and a FileError
    // when the output would replace the skeleton itself; the reasons go to
    // the results list first.
    void apply(const std::string& inputPath, const std::string& outputPath,
               OutputEncoding encoding = OutputEncoding::AsHeld);
    // The same with the skeleton already open.
    void apply(CRCFile& input, const std::string& outputPath,
               OutputEncoding encoding = OutputEncoding::AsHeld);

    const std::vector<std::unique_ptr<CReplacePiece>>& pieces() const { return pieces_; }
    const std::string& defaultInputName() const { return defaultInputName_; }

  private:
    void report(const std::string& message) const;
    void reportDuplicate(const CReplacePiece& listed, const CReplacePiece& added) const;
    void refuseSameFile(const std::string& inputPath, const std::string& outputPath) const;
    void copyWithReplacements(CRCFile& input, const std::string& outputPath,
                              OutputEncoding encoding);

    ConversionHost* host_;
    std::vector<std::unique_ptr<CReplacePiece>> pieces_;
    std::string defaultInputName_;
};

// The results line that says no output is written because of `problem`.
std::string skippedOutputMessage(const FileProblem& problem);

} // namespace quillex::backward
