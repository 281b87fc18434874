// SSDbcsInfo and SSCodePageClass: lead-byte ranges per code page.
#include "parser/ss_dbcs_info.h"

#include "foundation/lead_bytes.h"

#include <iterator>

namespace quillex {

const SSDbcsInfo& SSDbcsInfo::defaultInfo() {
    static const SSDbcsInfo instance;
    return instance;
}

namespace {

// The code page whose lead bytes a double-byte class has; 0 (none) for the
// other classes.
int codePageOfClass(std::uint32_t classNumber) {
    constexpr int kCodePages[] = {0, 0, 932, 936, 949, 950};
    return classNumber < std::size(kCodePages) ? kCodePages[classNumber] : 0;
}

} // namespace

bool SSDbcsInfo::isLeadByte(std::uint8_t byte) const {
    return quillex::isLeadByte(byte, static_cast<int>(codePage()));
}

std::uint32_t SSCodePageClass::classOf(std::uint32_t codePage) {
    switch (codePage) {
    case 932:
        return 2;
    case 936:
        return 3;
    case 949:
        return 4;
    case 950:
        return 5;
    case 874:
    case 1361:
        return 1;
    default:
        return codePage >= 1250 && codePage <= 1258 ? 1 : 6;
    }
}

SSCodePageClass SSCodePageClass::fromCodePage(std::uint32_t codePage) {
    return SSCodePageClass(classOf(codePage));
}

std::uint32_t SSCodePageClass::resolved() const {
    return class_ == current ? classOf(SSDbcsInfo::defaultCodePage) : class_;
}

bool SSCodePageClass::isLeadByte(std::uint8_t byte) const {
    if (class_ == current)
        return SSDbcsInfo::defaultInfo().isLeadByte(byte);
    return quillex::isLeadByte(byte, codePageOfClass(class_));
}

bool SSCodePageClass::isDoubleByte() const {
    const std::uint32_t number = resolved();
    return number >= 2 && number <= 5;
}

} // namespace quillex
