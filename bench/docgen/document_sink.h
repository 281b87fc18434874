// DocumentSink: where generated Interleaf ASCII goes, a byte at a time.
//
// It buffers the output and hands it on in large blocks, so that documents of
// hundreds of megabytes stream to a file without being held in memory. It
// counts the bytes written (the generator sizes documents by it), keeps the
// column of the current line (running text wraps at about 75 characters, as
// real exports do) and writes each line end as LF or CR LF.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillex::docgen {

class DocumentSink {
  public:
    using Flush = std::function<void(std::string_view)>;

    DocumentSink(Flush flush, bool crlf);
    ~DocumentSink();
    DocumentSink(const DocumentSink&) = delete;
    DocumentSink& operator=(const DocumentSink&) = delete;

    // Writes bytes as they are; each '\n' becomes the chosen line end.
    void raw(std::string_view bytes);
    void newline() { raw("\n"); }

    // Starts a new line unless the current one is empty.
    void endLine() {
        if (column_ > 0)
            newline();
    }

    std::uint64_t written() const { return written_; }
    std::size_t column() const { return column_; }
    std::size_t lineEndSize() const { return crlf_ ? 2 : 1; }

    // Hands the buffered bytes on.
    void flush();

  private:
    static constexpr std::size_t kBlock = 1 << 18;

    Flush flush_;
    bool crlf_;
    std::string buffer_;
    std::uint64_t written_ = 0;
    std::size_t column_ = 0;
};

} // namespace quillex::docgen
