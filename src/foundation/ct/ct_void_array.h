// CT_VoidArray: an array of fixed-size elements in a CT_Buffer.
//
// Positions are 1-based, as everywhere in the CT_ library; a search answers
// 0 on a miss. The array shares its buffer on copy like every CT_Buffer, so
// copying an array is cheap and a copy is a stable snapshot.
#pragma once

#include "foundation/ct/ct_buffer.h"

#include <cstddef>

namespace quillex {

class CT_VoidArray {
  public:
    // The buffer grows by this many elements at least.
    static constexpr std::size_t n_DefaultGrowth = 8;

    explicit CT_VoidArray(std::size_t elementSize);

    std::size_t n_GetSize() const;
    std::size_t n_GetElementSize() const { return elementSize_; }

    // Copies the element at `position` (1 to size) into `element`.
    void v_GetAt(std::size_t position, void* element) const;
    void v_SetAt(std::size_t position, const void* element);
    // Inserts before `position` (1 to size + 1).
    void v_InsertAt(std::size_t position, const void* element);
    void v_RemoveAt(std::size_t position);
    // Appends an element.
    void v_Insert(const void* element);
    // Removes the first element equal to `element`; false when there is none.
    bool b_Remove(const void* element);
    // The position of the first element equal to `element`, 0 when none is.
    std::size_t n_Find(const void* element) const;
    // Sets the number of elements; new ones are zero.
    void v_SetSize(std::size_t count);
    // Sets how many elements the buffer grows by at least.
    void v_SetGrowth(std::size_t elements);
    bool b_IsEqual(const CT_VoidArray& other) const;

  private:
    std::size_t offsetOf(std::size_t position, std::size_t last) const;

    std::size_t elementSize_;
    CT_Buffer buffer_;
};

} // namespace quillex
