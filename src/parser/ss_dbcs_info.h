// SSDbcsInfo: the lead-byte test that double-byte consumers read characters
// with, and SSCodePageClass, its companion that sorts code pages into
// classes of double-byte behaviour.
//
// Each consumer is given the SSDbcsInfo of its batch's source language; a
// consumer given none reads with code page 1252, which has no lead bytes.
// An SSDbcsInfo never changes once built, so two batches on two threads each
// read with their own code page.
#pragma once

#include <cstdint>

namespace quillex {

class SSCodePageClass {
  public:
    // Class 0 stands for "the current code page": the default one, as no
    // code page is shared between batches.
    static constexpr std::uint32_t current = 0;

    explicit SSCodePageClass(std::uint32_t classNumber = current) : class_(classNumber) {}
    static SSCodePageClass fromCodePage(std::uint32_t codePage);
    // 932 -> 2; 936 -> 3; 949 -> 4; 950 -> 5; 874, 1250-1258, 1361 -> 1; else 6.
    static std::uint32_t classOf(std::uint32_t codePage);

    std::uint32_t classNumber() const { return class_; }
    bool isLeadByte(std::uint8_t byte) const;
    bool isDoubleByte() const;

  private:
    std::uint32_t resolved() const;

    std::uint32_t class_;
};

class SSDbcsInfo {
  public:
    static constexpr std::uint32_t defaultCodePage = 1252;

    explicit SSDbcsInfo(std::uint32_t codePage = defaultCodePage) : codePage_(codePage) {}
    virtual ~SSDbcsInfo() = default;

    // The lead-byte test of the default code page: what a consumer reads with
    // until it is given another.
    static const SSDbcsInfo& defaultInfo();

    std::uint32_t codePage() const { return codePage_; }

    // The lead bytes of the code page (foundation/lead_bytes.h).
    virtual bool isLeadByte(std::uint8_t byte) const;

  private:
    std::uint32_t codePage_;
};

} // namespace quillex
