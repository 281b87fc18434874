// Names of the Interleaf tokens.
#include "parser/interleaf/interleaf_tokens.h"

#include <array>

namespace quillex::ileaf {

namespace {

// Indexed by token number; null for numbers without a name.
constexpr std::array<const char*, 120> kTokenNames = [] {
    std::array<const char*, 120> names{};
    names[1] = "OPS_START";
    names[2] = "INCORRECT_FILE";
    names[3] = "JUNK";
    names[4] = "TEXT";
    names[5] = "LESS_THAN";
    names[6] = "GREATER_THAN";
    names[7] = "TAG_START";
    names[8] = "COMPONENT_START";
    names[9] = "FRAME_START";
    names[10] = "TABLE_START";
    names[11] = "MASTER_ROW_START";
    names[12] = "ROW_START";
    names[13] = "CELL_START";
    names[14] = "END_TABLE_START";
    names[15] = "INCLUDE_DECLARATIONS_START";
    names[16] = "INCLUDE_START";
    names[17] = "PAGE_NUMBER_STREAM_START";
    names[18] = "DOCUMENT_START";
    names[19] = "PAGE_START";
    names[20] = "SPLIT_DOCUMENT_START";
    names[21] = "FONT_DEFINITIONS_START";
    names[22] = "COLOR_DEFINITIONS_START";
    names[23] = "COLOR_NAME_START";
    names[24] = "COLOR_TINT_START";
    names[25] = "PATTERN_DEFINITIONS_START";
    names[26] = "REVISION_TRACKING_START";
    names[27] = "AUTONUMBER_STREAM_START";
    names[28] = "CLASS_DEFAULTS_START";
    names[29] = "CLASS_START";
    names[30] = "MASTER_FRAME_START";
    names[31] = "MASTER_DIAGRAMMING_OBJECT_START";
    names[32] = "MASTER_TABLE_START";
    names[33] = "PAGE_HEADER_START";
    names[34] = "PAGE_FOOTER_START";
    names[35] = "FIRST_PAGE_HEADER_START";
    names[36] = "FIRST_PAGE_FOOTER_START";
    names[37] = "RIGHT_PAGE_HEADER_START";
    names[38] = "RIGHT_PAGE_FOOTER_START";
    names[39] = "LEFT_PAGE_HEADER_START";
    names[40] = "LEFT_PAGE_FOOTER_START";
    names[41] = "MANUAL_COMMENT_START";
    names[42] = "TAG";
    names[43] = "END_DECLARATIONS";
    names[44] = "DQUOTED_TEXT";
    names[45] = "END_DQUOTE";
    names[47] = "END_SQUOTE";
    names[48] = "VERSION";
    names[49] = "CHARACTER_ENCODING";
    names[50] = "WORD";
    names[51] = "INTEGER";
    names[52] = "PERIOD";
    names[53] = "OPS_END";
    names[54] = "START_DQUOTE";
    names[55] = "START_SQUOTE";
    names[56] = "SUBCOMPONENT";
    names[57] = "A_PAGE";
    names[58] = "TAG_END";
    names[59] = "NUMBERED";
    names[60] = "FRAME_NAME";
    names[61] = "FRAME_SHARED_CONTENTS";
    names[62] = "DIAGRAM_START";
    names[63] = "FRAME_END";
    names[66] = "TEXT_STRING_START";
    names[67] = "MICRO_DOCUMENT_START";
    names[68] = "CHART_START";
    names[70] = "GROUP_START";
    names[71] = "NAMED_OBJECT_START";
    names[72] = "GRAPHIC_OBJECT_START";
    names[73] = "EQUATION_START";
    names[74] = "OUTLINE_OBJECT_START";
    names[76] = "OLD_STYLE_OUTLINE_OBJECT_START";
    names[86] = "DIAGRAM_DATA";
    names[88] = ",";
    names[91] = "GROUP_END";
    names[96] = "NAMED_OBJECT_END";
    names[102] = "OLD_STYLE_OUTLINE_OBJECT_END";
    names[107] = "TEXT_STRING_END";
    names[110] = "GRAPHIC_OBJECT_END";
    names[112] = "CHART_LABEL_START";
    names[114] = "CHART_END";
    names[116] = "CHART_LABEL_END";
    names[118] = "MICRO_DOCUMENT_END";
    names[119] = "END_TEXT";
    return names;
}();

} // namespace

const char* tokenName(std::int32_t token) {
    if (token == EOF_TOKEN)
        return "eof";
    if (token == ERROR_TOKEN)
        return "%error";
    if (token > 0 && token < static_cast<std::int32_t>(kTokenNames.size()) && kTokenNames[token])
        return kTokenNames[token];
    return "SSLexTokenNotFound";
}

} // namespace quillex::ileaf
