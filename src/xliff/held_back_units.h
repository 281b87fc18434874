// Units that hold text and yet are not offered for translation nor counted:
// paragraphs of the classes the user names (code listings, syntax lines),
// and index sort keys that only repeat the text of their entry. Export marks
// them translate="no"; import then keeps their source text.
#pragma once

#include <string>
#include <vector>

namespace quillex::xliff {

struct HeldBackText {
    std::vector<std::string> classes; // paragraph classes, as <ps "NAME" ...> names them
    bool sortKeysLikeEntries = false; // <ss> lines equal to their <ie>/<il> line
};

// For each line of a QMX file, whether its text is held back by `rules`.
std::vector<bool> heldBackLines(const std::vector<std::string>& lines, const HeldBackText& rules);

// The class names of a list as the settings hold it ("code, syntax").
std::vector<std::string> classesOfList(const std::string& list);

} // namespace quillex::xliff
