// SSDbcsInfo and SSCodePageClass: lead-byte ranges per code page.
#include "parser/ss_dbcs_info.h"

namespace quillex {

const SSDbcsInfo& SSDbcsInfo::defaultInfo() {
    static const SSDbcsInfo instance;
    return instance;
}

bool SSDbcsInfo::isLeadByte(std::uint8_t byte) const {
    switch (codePage()) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
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
    switch (class_) {
    case 2:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 3:
        return byte >= 0xA1 && byte <= 0xFE;
    case 4:
    case 5:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

bool SSCodePageClass::isDoubleByte() const {
    const std::uint32_t number = resolved();
    return number >= 2 && number <= 5;
}

} // namespace quillex
