// SSLexFileConsumer: a consumer over the contents of one file, and
// SSLexAutoFileConsumer, which picks single-byte or 16-bit reading from the
// file's first two bytes.
//
// The file is read in one go and closed at once. A double-byte consumer reads
// it in text mode as the Windows C library does: each CR LF pair becomes LF,
// a Ctrl-Z byte ends the data, a lone CR stays. With the default initial
// length the whole file is the buffer; a smaller initial length serves the
// data through the refill path (shift, grow by the increment).
#pragma once

#include "parser/ss_lex_consumer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillex {

class SSLexFileConsumer : public SSLexConsumer {
  public:
    static constexpr std::uint32_t wholeFile = 0xFFFFFFFF;

    // SSLex0101e when the file cannot be opened, SSLex0102e when it is empty
    // or cannot be read.
    explicit SSLexFileConsumer(const std::string& fileName,
                               SSLexConsumerType type = SSLexConsumerType::DoubleByte,
                               std::uint32_t initialLength = wholeFile,
                               std::uint32_t increment = 0);

    const std::string& fileName() const { return fileName_; }
    // True while data not yet handed to the buffer remains.
    bool isOpen() const { return unread_ < rest_.size(); }

  protected:
    std::uint32_t nextBuffer() override;

  private:
    std::string fileName_;
    std::vector<std::uint8_t> rest_; // data behind the first buffer
    std::size_t unread_ = 0;         // first byte of rest_ not yet handed out
};

class SSLexAutoFileConsumer : public SSLexFileConsumer {
  public:
    explicit SSLexAutoFileConsumer(const std::string& fileName,
                                   std::uint32_t initialLength = wholeFile,
                                   std::uint32_t increment = 0);

    // Unicode for a file that opens with FF FE or FE FF, else single-byte.
    static SSLexConsumerType detectType(const std::string& fileName);
};

// Applies text-mode reading in place: CR LF becomes LF, Ctrl-Z ends the data.
void applyTextMode(std::vector<std::uint8_t>& bytes);

} // namespace quillex
