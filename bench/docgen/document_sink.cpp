// Buffered, counted output of the document generator.
#include "document_sink.h"

namespace quillex::docgen {

DocumentSink::DocumentSink(Flush flush, bool crlf) : flush_(std::move(flush)), crlf_(crlf) {
    buffer_.reserve(kBlock + 4096);
}

DocumentSink::~DocumentSink() {
    flush();
}

void DocumentSink::raw(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            buffer_.append(bytes.substr(start));
            column_ += bytes.size() - start;
            written_ += bytes.size() - start;
            break;
        }
        buffer_.append(bytes.substr(start, lf - start));
        buffer_.append(crlf_ ? "\r\n" : "\n");
        written_ += lf - start + lineEndSize();
        column_ = 0;
        start = lf + 1;
    }
    if (buffer_.size() >= kBlock)
        flush();
}

void DocumentSink::flush() {
    if (!buffer_.empty() && flush_)
        flush_(buffer_);
    buffer_.clear();
}

} // namespace quillex::docgen
