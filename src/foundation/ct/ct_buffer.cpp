// CT_Buffer: block sizing, sharing and copy-before-write.
#include "foundation/ct/ct_buffer.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quillex {

// The block header. The count is a plain integer changed through
// std::atomic_ref, so that a block can be moved by realloc.
struct CT_Buffer::Header {
    std::int32_t useCount;
    std::uint32_t capacity;
    std::uint32_t usedSize;
};

namespace {

using Count = std::atomic_ref<std::int32_t>;

// From `from` data bytes on, v_SetSize makes the block this share larger.
struct GrowthStep {
    std::size_t from;
    std::size_t numerator;
    std::size_t denominator;
};
constexpr GrowthStep kGrowthSteps[] = {{4096, 3, 2}, {2048, 7, 5}, {1024, 5, 4}};
constexpr std::size_t kGrowthRounding = 64;
// Header fields are 32-bit; no block may be larger.
constexpr std::size_t kLargestBlock = 0xFFFFFFFFu;

std::size_t roundUp(std::size_t value, std::size_t step) {
    return (value + step - 1) / step * step;
}

void checkBlockSize(std::size_t data) {
    // Leaves room for the largest growth step without overflow.
    if (data > kLargestBlock / 2)
        throw std::length_error("CT_Buffer: block too large");
}

// The end of a write of `size` bytes at `offset`, checked against overflow.
std::size_t endOfWrite(std::size_t offset, std::size_t size) {
    if (size > kLargestBlock || offset > kLargestBlock - size)
        throw std::length_error("CT_Buffer: write past the largest block");
    return offset + size;
}

// True when [data, data + size) lies inside [begin, end).
bool pointsInto(const void* data, const std::uint8_t* begin, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    return begin != nullptr && std::less_equal<>()(begin, p) && std::less<>()(p, begin + size);
}

} // namespace

CT_Buffer::CT_Buffer(std::size_t granularity)
    : granularity_(std::max<std::size_t>(granularity, 1)) {}

CT_Buffer::CT_Buffer(const CT_Buffer& other) : granularity_(other.granularity_) {
    v_Attach(other.data_);
}

CT_Buffer::CT_Buffer(CT_Buffer&& other) noexcept
    : granularity_(other.granularity_), data_(std::exchange(other.data_, nullptr)) {}

CT_Buffer& CT_Buffer::operator=(const CT_Buffer& other) {
    v_Set(other);
    return *this;
}

CT_Buffer& CT_Buffer::operator=(CT_Buffer&& other) noexcept {
    if (this != &other) {
        v_Release();
        granularity_ = other.granularity_;
        data_ = std::exchange(other.data_, nullptr);
    }
    return *this;
}

CT_Buffer::~CT_Buffer() {
    v_Release();
}

std::size_t CT_Buffer::sn_InitBlockSizeFor(std::size_t size, std::size_t granularity) {
    checkBlockSize(size);
    return roundUp(size + n_HeaderSize, granularity);
}

std::size_t CT_Buffer::sn_BlockSizeFor(std::size_t size, std::size_t granularity) {
    checkBlockSize(size);
    for (const GrowthStep& step : kGrowthSteps)
        if (size >= step.from)
            return roundUp(size * step.numerator / step.denominator, kGrowthRounding);
    return sn_InitBlockSizeFor(size, granularity);
}

CT_Buffer::Header* CT_Buffer::header() const {
    return data_ == nullptr ? nullptr : reinterpret_cast<Header*>(data_ - n_HeaderSize);
}

void CT_Buffer::v_Attach(std::uint8_t* data) {
    data_ = data;
    if (Header* h = header())
        Count(h->useCount).fetch_add(1, std::memory_order_relaxed);
}

void CT_Buffer::v_Release() {
    Header* h = header();
    data_ = nullptr;
    // The last owner frees the block; acq_rel orders every other owner's
    // reads before the free.
    if (h != nullptr && Count(h->useCount).fetch_sub(1, std::memory_order_acq_rel) == 1)
        std::free(h);
}

void CT_Buffer::v_MakeBlock(std::size_t blockSize, const std::uint8_t* keep, std::size_t keepSize) {
    static_assert(sizeof(Header) == n_HeaderSize);
    if (blockSize > kLargestBlock)
        throw std::length_error("CT_Buffer: block too large");
    auto* h = static_cast<Header*>(std::malloc(blockSize));
    if (h == nullptr)
        throw std::bad_alloc();
    h->useCount = 1;
    h->capacity = static_cast<std::uint32_t>(blockSize - n_HeaderSize);
    h->usedSize = static_cast<std::uint32_t>(std::min<std::size_t>(keepSize, h->capacity));
    auto* data = reinterpret_cast<std::uint8_t*>(h) + n_HeaderSize;
    if (h->usedSize > 0)
        std::memcpy(data, keep, h->usedSize);
    v_Release();
    data_ = data;
}

void CT_Buffer::v_Init(std::size_t size) {
    v_Release();
    v_MakeBlock(sn_InitBlockSizeFor(size, granularity_), nullptr, 0);
}

void CT_Buffer::v_SetSize(std::size_t size, bool keep) {
    const std::size_t blockSize = sn_BlockSizeFor(size, granularity_);
    if (!keep) {
        v_Release();
        v_MakeBlock(blockSize, nullptr, 0);
        return;
    }
    if (n_GetUseCount() != 1) {
        v_MakeBlock(blockSize, data_, n_GetUsedSize());
        return;
    }
    // Unshared: resize the block in place (realloc may move it).
    auto* h = static_cast<Header*>(std::realloc(header(), blockSize));
    if (h == nullptr)
        throw std::bad_alloc();
    h->capacity = static_cast<std::uint32_t>(blockSize - n_HeaderSize);
    h->usedSize = std::min(h->usedSize, h->capacity);
    data_ = reinterpret_cast<std::uint8_t*>(h) + n_HeaderSize;
}

void CT_Buffer::v_SetMinSize(std::size_t size) {
    if (data_ == nullptr || n_GetMaximumSize() < size)
        v_SetSize(size, true);
}

void CT_Buffer::v_Empty() {
    v_Release();
}

void CT_Buffer::v_CopyBeforeWrite() {
    if (n_GetUseCount() > 1)
        v_MakeBlock(n_GetMaximumSize() + n_HeaderSize, data_, n_GetUsedSize());
}

void CT_Buffer::v_PrepareWrite(std::size_t size) {
    if (n_GetMaximumSize() < size || data_ == nullptr)
        v_SetSize(size, true);
    else
        v_CopyBeforeWrite();
}

void CT_Buffer::v_SetUsedSize(std::size_t size) {
    header()->usedSize = static_cast<std::uint32_t>(size);
}

void CT_Buffer::v_Set(const CT_Buffer& other) {
    if (data_ == other.data_)
        return;
    std::uint8_t* shared = other.data_;
    v_Release();
    v_Attach(shared);
}

void CT_Buffer::v_Set(const void* data, std::size_t size) {
    if (pointsInto(data, data_, n_GetUsedSize())) {
        const std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                             static_cast<const std::uint8_t*>(data) + size);
        v_Set(copy.data(), size);
        return;
    }
    v_Release();
    if (size > 0)
        v_MakeBlock(sn_InitBlockSizeFor(size, granularity_), static_cast<const std::uint8_t*>(data),
                    size);
}

void CT_Buffer::v_Replace(std::size_t offset, const void* data, std::size_t size) {
    if (size == 0)
        return;
    if (pointsInto(data, data_, n_GetUsedSize())) {
        // The block may move while it grows: write from a copy.
        const std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                             static_cast<const std::uint8_t*>(data) + size);
        v_Replace(offset, copy.data(), size);
        return;
    }
    std::memcpy(pb_OpenRange(offset, size), data, size);
}

void CT_Buffer::v_Replace(std::size_t offset, std::size_t size, std::uint8_t fill) {
    if (size == 0)
        return;
    std::memset(pb_OpenRange(offset, size), fill, size);
}

std::uint8_t* CT_Buffer::pb_OpenRange(std::size_t offset, std::size_t size) {
    const std::size_t used = n_GetUsedSize();
    const std::size_t end = endOfWrite(offset, size);
    v_PrepareWrite(std::max(used, end));
    if (offset > used)
        std::memset(data_ + used, 0, offset - used);
    v_SetUsedSize(std::max(used, end));
    return data_ + offset;
}

void CT_Buffer::v_Insert(std::size_t offset, const void* data, std::size_t size) {
    const std::size_t used = n_GetUsedSize();
    if (offset >= used) {
        v_Replace(offset, data, size);
        return;
    }
    if (size == 0)
        return;
    if (pointsInto(data, data_, used)) {
        const std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                             static_cast<const std::uint8_t*>(data) + size);
        v_Insert(offset, copy.data(), size);
        return;
    }
    v_PrepareWrite(endOfWrite(used, size));
    std::memmove(data_ + offset + size, data_ + offset, used - offset);
    std::memcpy(data_ + offset, data, size);
    v_SetUsedSize(used + size);
}

void CT_Buffer::v_Append(const void* data, std::size_t size) {
    v_Insert(n_GetUsedSize(), data, size);
}

void CT_Buffer::v_Remove(std::size_t offset, std::size_t size) {
    const std::size_t used = n_GetUsedSize();
    if (offset >= used || size == 0)
        return;
    size = std::min(size, used - offset);
    v_CopyBeforeWrite();
    std::memmove(data_ + offset, data_ + offset + size, used - offset - size);
    v_SetUsedSize(used - size);
}

void CT_Buffer::v_AtInsertCopy(std::size_t offset, const CT_Buffer& other) {
    v_Insert(offset, other.data_, other.n_GetUsedSize());
}

void CT_Buffer::v_AtInsertMove(std::size_t offset, CT_Buffer& other) {
    if (&other == this)
        return;
    if (n_GetUsedSize() == 0 && offset == 0)
        v_Set(other);
    else
        v_AtInsertCopy(offset, other);
    other.v_Empty();
}

bool CT_Buffer::b_IsEqual(const CT_Buffer& other) const {
    const std::size_t used = n_GetUsedSize();
    return used == other.n_GetUsedSize() &&
           (used == 0 || std::memcmp(data_, other.data_, used) == 0);
}

std::size_t CT_Buffer::n_Find(const void* data, std::size_t size, std::size_t start) const {
    const std::size_t used = n_GetUsedSize();
    if (start > used || size > used - start)
        return CT_NotFound;
    if (size == 0)
        return start;
    const auto* needle = static_cast<const std::uint8_t*>(data);
    const std::uint8_t* begin = data_;
    const std::uint8_t* end = begin + used;
    const std::uint8_t* hit = std::search(begin + start, end, needle, needle + size);
    return hit == end ? CT_NotFound : static_cast<std::size_t>(hit - data_);
}

std::size_t CT_Buffer::n_GetUsedSize() const {
    const Header* h = header();
    return h == nullptr ? 0 : h->usedSize;
}

std::size_t CT_Buffer::n_GetMaximumSize() const {
    const Header* h = header();
    return h == nullptr ? 0 : h->capacity;
}

std::size_t CT_Buffer::n_GetUseCount() const {
    Header* h = header();
    return h == nullptr
               ? 0
               : static_cast<std::size_t>(Count(h->useCount).load(std::memory_order_acquire));
}

void CT_Buffer::v_SetGranularity(std::size_t granularity) {
    granularity_ = std::max<std::size_t>(granularity, 1);
}

std::uint8_t* CT_Buffer::puc_GetData() {
    v_CopyBeforeWrite();
    return data_;
}

} // namespace quillex
