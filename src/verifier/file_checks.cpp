// The single-file checks, except the positioning and structure of external
// tags and the structure of internal tags, which have files of their own.
#include "verifier/file_checks.h"

#include "foundation/lead_bytes.h"
#include "qmx/interleaf_forms.h"
#include "qmx/qmx_tags.h"
#include "verifier/report_texts.h"
#include "verifier/segment_scanner.h"

#include <algorithm>
#include <array>
#include <map>

namespace quillex::verifier {
namespace {

// ---- 1. External tag syntax ----------------------------------------------

// The bracket fault of a text, or null: unequal counts come first, then the
// first place where the depth drops below 0 or rises above the limit.
const char* bracketFaultOf(std::string_view text) {
    long depth = 0;
    const char* firstFault = nullptr;
    forEachBracket(text, [&](std::size_t i) {
        depth += text[i] == '<' ? 1 : -1;
        if (firstFault == nullptr) {
            if (depth < 0)
                firstFault = text::WrongBracketOrder;
            else if (depth > kMaxBracketDepth)
                firstFault = text::TooDeep;
        }
    });
    return depth != 0 ? text::DifferentBracketCount : firstFault;
}

// The bracket fault of a segment's own text, from the balance the cut noted
// where it could tell.
const char* bracketFaultOf(const Segment& segment) {
    switch (segment.brackets) {
    case BracketBalance::Sound:
        return nullptr;
    case BracketBalance::UnequalCounts:
        return text::DifferentBracketCount;
    case BracketBalance::BelowZero:
        return text::WrongBracketOrder;
    case BracketBalance::TooDeep:
        return text::TooDeep;
    case BracketBalance::Unknown:
        break;
    }
    return bracketFaultOf(segment.text);
}

// Reports `finding` about one segment text, or the nesting of external tags
// when the text took held text; returns true when it reported anything.
bool reportBracketFault(const char* finding, std::string_view text, bool tookHeldText, int font,
                        VerificationReport& report) {
    if (finding == nullptr && tookHeldText)
        finding = text::NestedExternalTags;
    if (finding == nullptr)
        return false;
    // The text may be malformed, so neither message nor text is styled.
    report.addFinding(Severity::Error, false, finding);
    report.addSegmentBlock(text, font, false);
    return true;
}

// ---- 2. Validity ---------------------------------------------------------

bool isCharacterCodeTag(std::string_view tag) {
    // "<:r", 1 to 65534 in decimal, ">".
    if (!qmx::beginsCharacterCode(tag) || !tag.ends_with('>'))
        return false;
    const std::string_view digits = tag.substr(3, tag.size() - 4);
    if (digits.empty() || digits.size() > 9)
        return false;
    long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65534;
}

// Tags a translator may add in the "<#...>" form: paragraph starts, prefix
// components and the parts of index markers.
bool mayBeAddedWithHash(int tagNumber) {
    return tagNumber == tagno::ParagraphStart || tagNumber == tagno::PrefixComponent ||
           (tagNumber >= tagno::IndexMarker && tagNumber <= tagno::SortString);
}

// A record of `tag`, a view into the file's text, found in segment
// `segmentIndex`. The file's text is less than 4 GiB (loadSegments sees to
// it), so positions fit the record's 32-bit fields.
InternalTag makeRecord(const TaggedFile& file, std::string_view tag, std::size_t segmentIndex) {
    InternalTag record;
    record.start = static_cast<std::uint32_t>(tag.data() - file.text->data());
    record.length = static_cast<std::uint32_t>(tag.size());
    record.segment = static_cast<std::uint32_t>(segmentIndex);
    record.segmentTagNumber = file.segments[segmentIndex].tagNumber;
    return record;
}

void extractTranslatedInternalTags(TaggedFile& file, std::size_t index, TagInventory& inventory,
                                   VerificationReport& report) {
    const Segment& segment = file.segments[index];
    forEachTag(textAfterTag(segment), [&](std::string_view tag) {
        InternalTag record = makeRecord(file, tag, index);
        if (InventoryEntry* entry = inventory.find(tag)) {
            --entry->count;
            record.tagNumber = entry->tagNumber;
            record.category = entry->category;
        } else if (isCharacterCodeTag(tag)) {
            record.tagNumber = tagno::CharacterCode;
            record.category = category::Alert;
        } else {
            report.addFinding(Severity::Error, true, text::InvalidInternalTag,
                              std::string(tag).c_str());
            record.tagNumber = tagno::UnlistedInternal;
            record.category = category::UnlistedInternal;
        }
        file.internalTags.push_back(std::move(record));
    });
}

// ---- 5. Positioning of internal tags -------------------------------------

struct InternalPair {
    int opening;
    int closing;
    const char* openingName;
    const char* closingName;
};

constexpr std::array<InternalPair, 8> kInternalPairs{{
    {tagno::Bold, tagno::BoldEnd, "<:b>", "<:/b>"},
    {tagno::Italic, tagno::ItalicEnd, "<:i>", "<:/i>"},
    {tagno::BoldItalic, tagno::BoldItalicEnd, "<:bi>", "<:/bi>"},
    {tagno::WesternFont, tagno::WesternFontEnd, "<:c>", "<:/c>"},
    {tagno::SmallCaps, tagno::SmallCapsEnd, "<:s>", "<:/s>"},
    {tagno::FontSub, tagno::FontSubEnd, "<:cs ?>", "<:/cs>"},
    {tagno::InlineSub, tagno::InlineSubEnd, "<:sc ?>", "<:/sc>"},
    {tagno::FontChange, tagno::FontChangeEnd, "<:fc ?>", "<:/fc>"},
}};

// The pair a tag number opens or closes (its index in kInternalPairs), or
// -1: looked up in a table by tag number, since every internal tag of both
// files is checked.
struct PairRole {
    int opens;
    int closes;
};

constexpr PairRole kNoPair{-1, -1};
constexpr std::size_t kTagNumbers = 128;

constexpr std::array<PairRole, kTagNumbers> kPairRoles = [] {
    std::array<PairRole, kTagNumbers> roles{};
    roles.fill(kNoPair);
    for (std::size_t p = 0; p < kInternalPairs.size(); ++p) {
        roles[static_cast<std::size_t>(kInternalPairs[p].opening)].opens = static_cast<int>(p);
        roles[static_cast<std::size_t>(kInternalPairs[p].closing)].closes = static_cast<int>(p);
    }
    return roles;
}();

PairRole pairRoleOf(int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= kTagNumbers)
        return kNoPair;
    return kPairRoles[static_cast<std::size_t>(number)];
}

constexpr const char* kConditionalOpening = "<:cns ?>";
constexpr const char* kConditionalClosing = "<:/cns>";

void checkPairsOfSegment(const TaggedFile& file, std::size_t first, std::size_t last,
                         VerificationReport& report) {
    std::array<int, kInternalPairs.size()> open{};
    bool conditionalOpen = false;
    for (std::size_t t = first; t < last; ++t) {
        const int number = file.internalTags[t].tagNumber;
        if (number == tagno::ConditionalSub) {
            if (conditionalOpen)
                report.addFinding(Severity::Error, true, text::WithoutEndingInternal, 1,
                                  kConditionalOpening, kConditionalClosing);
            conditionalOpen = true;
            continue;
        }
        if (number == tagno::ConditionalSubEnd) {
            if (!conditionalOpen)
                report.addFinding(Severity::Error, true, text::WithoutStartingInternal, 1,
                                  kConditionalClosing, kConditionalOpening);
            conditionalOpen = false;
            continue;
        }
        const PairRole role = pairRoleOf(number);
        if (role.opens >= 0) {
            ++open[static_cast<std::size_t>(role.opens)];
        } else if (role.closes >= 0) {
            const auto p = static_cast<std::size_t>(role.closes);
            if (open[p] == 0)
                report.addFinding(Severity::Error, true, text::WithoutStartingInternal, 1,
                                  kInternalPairs[p].closingName, kInternalPairs[p].openingName);
            else
                --open[p];
        }
    }
    for (std::size_t p = 0; p < kInternalPairs.size(); ++p)
        if (open[p] > 0)
            report.addFinding(Severity::Error, true, text::WithoutEndingInternal, open[p],
                              kInternalPairs[p].openingName, kInternalPairs[p].closingName);
    // A conditional subcomponent left open would lose its end in Interleaf.
    if (conditionalOpen)
        report.addFinding(Severity::Error, true, text::WithoutEndingInternal, 1,
                          kConditionalOpening, kConditionalClosing);
}

// ---- 7. Japanese characters ----------------------------------------------

// Characters of Interleaf's rows that Interleaf lacks. A character whose
// lead byte has no Interleaf row at all (0xF0 to 0xFC) is an error of the
// character-form check, as the backward conversion refuses it.
bool isMissingInInterleaf(unsigned char lead, unsigned char trail) {
    if (lead == 0xEA)
        return trail == 0xA3 || trail == 0xA4;
    return lead == 0xED || lead == 0xEE;
}

} // namespace

// ---- 1 ---------------------------------------------------------------------

void checkExternalTagSyntax(const TaggedFile& file, VerificationReport& report) {
    // A segment with an empty tag text began inside another external tag; its
    // text goes in front of the next segment's text and is checked with it.
    std::string held;
    for (const Segment& segment : file.segments) {
        if (segment.tagText().empty()) {
            held += segment.text;
            continue;
        }
        if (held.empty()) {
            reportBracketFault(bracketFaultOf(segment), segment.text, false, file.font, report);
        } else {
            held += segment.text;
            reportBracketFault(bracketFaultOf(held), held, true, file.font, report);
            held.clear();
        }
    }
    if (!held.empty() && reportBracketFault(bracketFaultOf(held), held, true, file.font, report))
        report.addLine(text::RefersToEndOfFile);
}

// ---- 2 ---------------------------------------------------------------------

void checkSourceTagValidity(TaggedFile& file, VerificationReport& report) {
    for (Segment& segment : file.segments) {
        const TagClass tagClass = classifyTag(segment.tagText());
        segment.tagNumber = tagClass.number;
        segment.category = tagClass.category;
        if (segment.category != category::UnlistedExternal)
            continue;
        if (qmx::isAddedForm(segment.tagText()))
            report.addFinding(Severity::Error, true, text::AddedInSource);
        else
            report.addFinding(Severity::Error, true, text::UnknownExternalTag,
                              std::string(segment.tagText()).c_str());
        report.addSegmentBlock(segment.text, file.font);
    }
}

void extractSourceInternalTags(TaggedFile& file, TagInventory& inventory,
                               VerificationReport& report) {
    for (std::size_t index = 0; index < file.segments.size(); ++index) {
        const Segment& segment = file.segments[index];
        inventory.countUp(segment.tagText(), true, segment.tagNumber, segment.category);
        const VerificationReport::Mark mark = report.mark();
        forEachTag(textAfterTag(segment), [&](std::string_view tag) {
            InternalTag record = makeRecord(file, tag, index);
            if (InventoryEntry* entry = inventory.find(tag)) {
                ++entry->count;
                record.tagNumber = entry->tagNumber;
                record.category = entry->category;
            } else {
                const TagClass tagClass = classifyTag(tag);
                record.tagNumber = tagClass.number;
                record.category = tagClass.category;
                inventory.countUp(tag, false, tagClass.number, tagClass.category);
                if (tagClass.number == tagno::UnlistedInternal)
                    report.addFinding(Severity::Error, true, text::UnknownInternalTag,
                                      std::string(tag).c_str());
            }
            file.internalTags.push_back(std::move(record));
        });
        if (report.hasFindingsSince(mark))
            report.addSegmentBlock(segment.text, file.font);
    }
}

void reclassifyInternalTags(TaggedFile& file) {
    for (InternalTag& tag : file.internalTags) {
        const TagClass tagClass = classifyTag(file.textOf(tag));
        tag.tagNumber = tagClass.number;
        tag.category = tagClass.category;
    }
}

int checkTranslatedTagValidity(TaggedFile& file, TagInventory& inventory,
                               VerificationReport& report) {
    int added = 0;
    for (Segment& segment : file.segments) {
        const TagClass tagClass = classifyTag(segment.tagText());
        segment.tagNumber = tagClass.number;
        segment.category = tagClass.category;
        if (segment.category == category::UnlistedExternal && qmx::isAddedForm(segment.tagText())) {
            segment.category = category::AddedUnexamined;
            ++added;
        }
    }
    for (std::size_t index = 0; index < file.segments.size(); ++index) {
        Segment& segment = file.segments[index];
        const VerificationReport::Mark mark = report.mark();
        if (segment.category == category::AddedUnexamined) {
            // The tag as it would be without the "#".
            const std::string plain = std::string("<").append(segment.tagText().substr(2));
            if (const InventoryEntry* entry = inventory.find(plain)) {
                segment.tagNumber = entry->tagNumber;
                segment.category = category::AddedRecognised;
                if (!mayBeAddedWithHash(entry->tagNumber))
                    report.addFinding(Severity::Error, true, text::MayNotAddExternalTag,
                                      std::string(segment.tagText()).c_str());
            } else {
                segment.category = category::AddedUnknown;
                report.addFinding(Severity::Error, true, text::MayNotAddExternalTag,
                                  std::string(segment.tagText()).c_str());
            }
            segment.handled = true;
        } else if (InventoryEntry* entry = inventory.find(segment.tagText())) {
            --entry->count;
        } else {
            report.addFinding(Severity::Error, true, text::InvalidExternalTag,
                              std::string(segment.tagText()).c_str());
        }
        extractTranslatedInternalTags(file, index, inventory, report);
        if (report.hasFindingsSince(mark))
            report.addSegmentBlock(segment.text, file.font);
    }
    return added;
}

// ---- 5 ---------------------------------------------------------------------

void checkInternalTagPositions(const TaggedFile& file, VerificationReport& report) {
    forEachSegmentRun(file, [&](std::size_t first, std::size_t last) {
        const VerificationReport::Mark mark = report.mark();
        checkPairsOfSegment(file, first, last, report);
        if (report.hasFindingsSince(mark))
            report.addContextBlock(contextText(file.segments, file.internalTags[first].segment),
                                   file.font);
    });
}

// ---- 7 ---------------------------------------------------------------------

void checkJapaneseCharacters(const TaggedFile& file, VerificationReport& report) {
    for (const Segment& segment : file.segments) {
        const std::string_view text = textAfterTag(segment);
        const VerificationReport::Mark mark = report.mark();
        int depth = 0;
        std::size_t tagStart = 0;
        bool westernFont = false; // inside <:c> ... <:/c>
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte == '<') {
                if (depth++ == 0)
                    tagStart = i;
                continue;
            }
            if (byte == '>' && depth > 0) {
                if (--depth == 0) {
                    const std::string_view tag = text.substr(tagStart, i + 1 - tagStart);
                    if (tag == "<:c>")
                        westernFont = true;
                    else if (tag == "<:/c>")
                        westernFont = false;
                }
                continue;
            }
            if (depth > 0 || westernFont || !isShiftJisLeadByte(byte) || i + 1 >= text.size())
                continue;
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (!isShiftJisTrailByte(trail))
                continue;
            if (isMissingInInterleaf(byte, trail))
                report.addFinding(Severity::Alert, true, text::MissingJapaneseCharacter,
                                  static_cast<int>(byte), static_cast<int>(trail));
            ++i;
        }
        if (report.hasFindingsSince(mark))
            report.addSegmentBlock(segment.text, file.font);
    }
}

namespace {

struct ControlCharacterName {
    char byte;
    const char* name;
};

constexpr ControlCharacterName kControlCharacters[] = {
    {'\0', "NUL (code 0)"},
    {'\x1b', "ESC (code 27)"},
};

} // namespace

void checkControlCharacters(const TaggedFile& file, VerificationReport& report) {
    for (const Segment& segment : file.segments) {
        const VerificationReport::Mark mark = report.mark();
        for (const ControlCharacterName& control : kControlCharacters)
            if (segment.text.find(control.byte) != std::string_view::npos)
                report.addFinding(Severity::Error, true, text::ControlCharacter, control.name);
        if (report.hasFindingsSince(mark))
            report.addSegmentBlock(segment.text, file.font);
    }
}

// ---- 8 ---------------------------------------------------------------------

namespace {

struct FormlessOccurrences {
    std::size_t firstOffset = 0;
    int codePage = 0; // the code page the character is read in
    int count = 0;
};

// The segment whose text holds `offset` of the file's text.
const Segment* segmentAt(const TaggedFile& file, std::size_t offset) {
    const char* at = file.text->data() + offset;
    const auto after = std::upper_bound(
        file.segments.begin(), file.segments.end(), at,
        [](const char* position, const Segment& s) { return position < s.text.data(); });
    return after == file.segments.begin() ? nullptr : &*(after - 1);
}

} // namespace

void checkCharacterForms(const TaggedFile& file, int targetCodePage, bool japaneseTarget,
                         VerificationReport& report) {
    const std::string_view text = *file.text;
    FormlessCharacterScanner scanner(targetCodePage, japaneseTarget);
    std::map<std::string, FormlessOccurrences> found;
    std::vector<std::string> order; // the characters in the order of their first occurrence
    for (auto next = scanner.next(text); next;
         next = scanner.next(text, next->offset + next->bytes.size())) {
        FormlessOccurrences& occurrences = found[next->bytes];
        if (occurrences.count++ == 0) {
            occurrences.firstOffset = next->offset;
            occurrences.codePage = next->codePage;
            order.push_back(next->bytes);
        }
    }
    std::size_t counted = 0;
    int line = 1;
    for (const std::string& bytes : order) {
        const FormlessOccurrences& occurrences = found[bytes];
        line += static_cast<int>(
            std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                       text.begin() + static_cast<std::ptrdiff_t>(occurrences.firstOffset), '\n'));
        counted = occurrences.firstOffset;
        report.addFinding(
            Severity::Error, false, text::CharacterWithoutForm,
            describeCharacter(bytes, occurrences.codePage, CharacterText::CodePage).c_str(), line,
            occurrences.count);
        if (const Segment* segment = segmentAt(file, occurrences.firstOffset))
            report.addSegmentBlock(segment->text, file.font);
    }
}

} // namespace quillex::verifier
