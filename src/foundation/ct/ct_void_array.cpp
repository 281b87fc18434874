// CT_VoidArray: 1-based element access over a CT_Buffer.
#include "foundation/ct/ct_void_array.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillex {

CT_VoidArray::CT_VoidArray(std::size_t elementSize)
    : elementSize_(std::max<std::size_t>(elementSize, 1)), buffer_(elementSize_ * n_DefaultGrowth) {
}

std::size_t CT_VoidArray::n_GetSize() const {
    return buffer_.n_GetUsedSize() / elementSize_;
}

// The byte offset of `position`, which must lie from 1 to `last`.
std::size_t CT_VoidArray::offsetOf(std::size_t position, std::size_t last) const {
    if (position < 1 || position > last)
        throw std::out_of_range("CT_VoidArray: position out of range");
    return (position - 1) * elementSize_;
}

// memcpy of a fixed 1, 2 or 4 bytes compiles to one integer move, so the
// small elements need no path of their own.
void CT_VoidArray::v_GetAt(std::size_t position, void* element) const {
    std::memcpy(element, buffer_.pcuc_GetData() + offsetOf(position, n_GetSize()), elementSize_);
}

void CT_VoidArray::v_SetAt(std::size_t position, const void* element) {
    buffer_.v_Replace(offsetOf(position, n_GetSize()), element, elementSize_);
}

void CT_VoidArray::v_InsertAt(std::size_t position, const void* element) {
    buffer_.v_Insert(offsetOf(position, n_GetSize() + 1), element, elementSize_);
}

void CT_VoidArray::v_RemoveAt(std::size_t position) {
    buffer_.v_Remove(offsetOf(position, n_GetSize()), elementSize_);
}

void CT_VoidArray::v_Insert(const void* element) {
    buffer_.v_Append(element, elementSize_);
}

bool CT_VoidArray::b_Remove(const void* element) {
    const std::size_t position = n_Find(element);
    if (position == 0)
        return false;
    v_RemoveAt(position);
    return true;
}

std::size_t CT_VoidArray::n_Find(const void* element) const {
    const std::uint8_t* data = buffer_.pcuc_GetData();
    for (std::size_t i = 0, count = n_GetSize(); i < count; ++i)
        if (std::memcmp(data + i * elementSize_, element, elementSize_) == 0)
            return i + 1;
    return 0;
}

void CT_VoidArray::v_SetSize(std::size_t count) {
    const std::size_t size = count * elementSize_;
    const std::size_t used = buffer_.n_GetUsedSize();
    if (size < used)
        buffer_.v_Remove(size, used - size);
    else if (size > used)
        buffer_.v_Replace(used, size - used, 0);
}

void CT_VoidArray::v_SetGrowth(std::size_t elements) {
    buffer_.v_SetGranularity(std::max<std::size_t>(elements, 1) * elementSize_);
}

bool CT_VoidArray::b_IsEqual(const CT_VoidArray& other) const {
    return elementSize_ == other.elementSize_ && buffer_.b_IsEqual(other.buffer_);
}

} // namespace quillex
