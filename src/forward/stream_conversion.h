// Page number streams and autonumber streams: the prefixes and suffixes a
// translator may translate, as blocks of the ancillary file.
#pragma once

#include "forward/conversion_context.h"
#include "forward/document_piece.h"
#include "forward/item_list.h"

#include <string>
#include <vector>

namespace quillex {

// Lengths (in visible characters) above which a translation may outgrow
// Interleaf's limit, and the limits the warnings name.
inline constexpr std::size_t kPagePrefixWarningLength = 5;
inline constexpr int kPagePrefixLimit = 9;
inline constexpr std::size_t kAutonumberTextWarningLength = 11;
inline constexpr int kAutonumberTextLimit = 15;

// The block of a page number stream declaration: <bb "Page Number Stream
// Format">, <pgfmt "%s"> with the stream's name, <bb "Prefix1"> and the first
// prefix, <bb "Prefix2"> and the second, </pgfmt>. Empty when the stream has
// no name or both prefixes are empty. The declaration becomes the markup of
// the <pgfmt "%s"> tag, which is also the piece's tag. A prefix of more than 5
// visible characters adds the warnings 16040 and 16044.
ItemList pageNumberStreamBlock(DocumentPiece& declaration, const ConversionContext& context);

// The block of an autonumber stream declaration: <bb "Autonumber Stream
// Format">, <anfmt "%s"> with the stream's name, for each level prefix and
// suffix that is not empty <bb "%s"> with the attribute's name and its text,
// </anfmt>. Empty when no level has a text. A text of more than 11 visible
// characters adds the warnings 16041 and 16044.
ItemList autonumberStreamBlock(DocumentPiece& declaration, const ConversionContext& context);

// <bb "%s"> for `name`, entered in both tag maps.
std::string_view blockHeading(const std::string& name, TagRegistry& registry);

} // namespace quillex
