// The checks of one QMX file: are the angle brackets balanced, is every tag
// known, is nothing placed where the format forbids it, do opening and
// closing tags pair up in the allowed order. Each check adds its numbered
// findings to the report; the caller heads the sections.
#pragma once

#include "verifier/segment.h"
#include "verifier/tag_inventory.h"
#include "verifier/verification_report.h"

#include <optional>
#include <string_view>

namespace quillex::verifier {

// 1. External tag syntax: balanced "<" and ">", no more than three open at
// once, no external tag inside another.
void checkExternalTagSyntax(const TaggedFile& file, VerificationReport& report);

// 2. Validity of external tags in the source file: classifies every segment
// and reports unlisted tags.
void checkSourceTagValidity(TaggedFile& file, VerificationReport& report);

// Collects the source file's internal tags and counts its tags up in the
// inventory; reports internal tags the table does not know.
void extractSourceInternalTags(TaggedFile& file, TagInventory& inventory,
                               VerificationReport& report);

// Gives every source internal tag its tag number and category afresh from the
// tag table.
void reclassifyInternalTags(TaggedFile& file);

// 2. Validity of external tags in the translated file, counting its tags down
// in the inventory and collecting its internal tags. External tags added in
// the "<#...>" form are examined and marked handled. Returns how many tags
// were added in that form.
int checkTranslatedTagValidity(TaggedFile& file, TagInventory& inventory,
                               VerificationReport& report);

// 3. Positioning of external tags: which tags may be followed by text, and
// the length limits of the texts that may.
void checkExternalTagPositions(const TaggedFile& file, VerificationReport& report);

// 4. Structure of external tags: every tag in a context where it may stand,
// every pair closed.
void checkExternalTagStructure(const TaggedFile& file, VerificationReport& report);

// 5. Positioning of internal tags: opening and closing internal tags pair up
// within each segment.
void checkInternalTagPositions(const TaggedFile& file, VerificationReport& report);

// 6. Structure of internal tags: which internal tags the segments of some
// external tags may hold.
void checkInternalTagStructure(const TaggedFile& file, VerificationReport& report);

// 7. Japanese characters that Interleaf lacks (translated file only).
void checkJapaneseCharacters(const TaggedFile& file, VerificationReport& report);

// 8. Control characters that a translation holds only by accident and that
// the merge can not carry: NUL, and ESC (Interleaf reads an escape only where
// a literal run starts or ends, which QMX writes as <:r27>).
void checkControlCharacters(const TaggedFile& file, VerificationReport& report);

// 9. Characters that have no Interleaf form where they stand (translated file
// only), as the backward conversion decides it: each such character once,
// with the line it first stands on and how often it occurs.
void checkCharacterForms(const TaggedFile& file, int targetCodePage, bool japaneseTarget,
                         VerificationReport& report);

// Length of a text as the length limits count it: each top-level tag counts
// one, line ends count nothing.
int limitLength(std::string_view text);

// The largest limitLength the text after the external tag `tag` may have, as
// the positioning check enforces it; nothing for a tag without a limit.
// Tools that change text (pseudo-translation, XLIFF export) keep to it.
std::optional<int> textLengthLimit(std::string_view tag);

} // namespace quillex::verifier
