// CT_CodePage: the table of code pages.
#include "foundation/ct/ct_code_page.h"

#include "foundation/lead_bytes.h"

namespace quillex {
namespace {

// The code pages of the language table, the usual DOS and ISO ones, and
// US-ASCII.
constexpr CT_CodePage kCodePages[] = {
    {437, "CP437"},   {850, "CP850"},        {874, "CP874"},         {932, "CP932"},
    {936, "CP936"},   {949, "CP949"},        {950, "CP950"},         {1250, "CP1250"},
    {1251, "CP1251"}, {1252, "CP1252"},      {1253, "CP1253"},       {1254, "CP1254"},
    {1255, "CP1255"}, {1256, "CP1256"},      {1257, "CP1257"},       {1258, "CP1258"},
    {20127, "ASCII"}, {28591, "ISO-8859-1"}, {28605, "ISO-8859-15"},
};

} // namespace

bool CT_CodePage::b_IsLeadByte(unsigned char byte) const {
    return isLeadByte(byte, number);
}

bool CT_CodePage::b_IsDoubleByte() const {
    return isDoubleByteCodePage(number);
}

const CT_CodePage* CT_CodePage::spcco_Find(int number) {
    for (const CT_CodePage& page : kCodePages)
        if (page.number == number)
            return &page;
    return nullptr;
}

} // namespace quillex
