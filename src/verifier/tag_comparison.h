// Comparison of a translated QMX file with its source: which external tags
// were deleted, added or changed, whether their order still matches, and
// which internal tags were deleted or added inside corresponding segments.
#pragma once

#include "verifier/segment.h"
#include "verifier/tag_inventory.h"
#include "verifier/verification_report.h"

namespace quillex::verifier {

// Changes of external tags in a row (with the counts of both files equal)
// after which the files are taken to be out of step.
inline constexpr int kMaxConsecutiveChanges = 15;

// 1. Lines for every external tag whose source and translated counts differ.
// They carry no finding number.
void reportExternalTagCounts(const TagInventory& inventory, VerificationReport& report);

// 2. A warning for every external tag the translation added in the "<#...>"
// form.
void reportAddedExternalTags(const TaggedFile& translated, VerificationReport& report);

// 3. Walks both external tag lists in step and reports deleted, illegally
// added and changed tags, marking the segments concerned handled. Translated
// tags added in the "<#...>" form are passed over. Returns false when the
// files fell out of step and the comparison had to stop.
bool compareExternalTags(TaggedFile& source, TaggedFile& translated, VerificationReport& report);

// 4. Lines for every internal tag whose source and translated counts differ.
void reportInternalTagCounts(const TagInventory& inventory, VerificationReport& report);

// 5. Compares the internal tags of corresponding segments (those the external
// comparison left unhandled), then reports the internal tags of the external
// tags added in the "<#...>" form.
void compareInternalTags(TaggedFile& source, TaggedFile& translated, VerificationReport& report);

} // namespace quillex::verifier
