// CT_Buffer: a copy-on-write byte buffer whose blocks may be shared between
// threads.
//
// A block is a 12-byte header (reference count, capacity, used size) followed
// by the data; an empty buffer has no block. Copying a buffer shares its
// block; every write to a shared block first copies it, so a copy never sees
// another copy's writes. The counts change atomically, which lets copies of
// one buffer live on different threads (each buffer object itself belongs to
// one thread at a time).
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillex {

// What the searches of the CT_ library answer on a miss.
inline constexpr std::size_t CT_NotFound = static_cast<std::size_t>(-1);

class CT_Buffer {
  public:
    static constexpr std::size_t n_HeaderSize = 12;
    static constexpr std::size_t n_DefaultGranularity = 32;

    explicit CT_Buffer(std::size_t granularity = n_DefaultGranularity);
    CT_Buffer(const CT_Buffer& other);
    CT_Buffer(CT_Buffer&& other) noexcept;
    CT_Buffer& operator=(const CT_Buffer& other);
    CT_Buffer& operator=(CT_Buffer&& other) noexcept;
    ~CT_Buffer();

    // Drops the contents and makes a new, unshared block with room for
    // `size` bytes: granularity * ceil((size + header) / granularity) bytes.
    void v_Init(std::size_t size);
    // Gives the buffer room for `size` bytes by the growth rule (see
    // sn_BlockSizeFor). With `keep` the contents stay, cut to the new
    // capacity; without, the buffer starts empty.
    void v_SetSize(std::size_t size, bool keep);
    // Grows the buffer, keeping its contents, when it has room for fewer
    // than `size` bytes.
    void v_SetMinSize(std::size_t size);
    // Releases the block.
    void v_Empty();
    // Makes an unshared copy of a shared block before a write.
    void v_CopyBeforeWrite();

    // Shares `other`'s block.
    void v_Set(const CT_Buffer& other);
    // Replaces the contents with a copy of `size` bytes.
    void v_Set(const void* data, std::size_t size);

    // Writes `size` bytes at `offset` over what is there; writing past the
    // used size extends it (a gap before `offset` is filled with zeros).
    void v_Replace(std::size_t offset, const void* data, std::size_t size);
    // The same with `size` copies of `fill`.
    void v_Replace(std::size_t offset, std::size_t size, std::uint8_t fill);
    // Inserts `size` bytes at `offset`, moving what follows.
    void v_Insert(std::size_t offset, const void* data, std::size_t size);
    void v_Append(const void* data, std::size_t size);
    // Removes up to `size` bytes from `offset`.
    void v_Remove(std::size_t offset, std::size_t size);
    // Inserts a copy of `other`'s contents at `offset`.
    void v_AtInsertCopy(std::size_t offset, const CT_Buffer& other);
    // Inserts `other`'s contents at `offset` and empties `other`.
    void v_AtInsertMove(std::size_t offset, CT_Buffer& other);

    bool b_IsEqual(const CT_Buffer& other) const;
    // The offset of the first occurrence of the `size` bytes at `data` from
    // `start` on; CT_NotFound when there is none.
    std::size_t n_Find(const void* data, std::size_t size, std::size_t start = 0) const;

    std::size_t n_GetUsedSize() const;
    std::size_t n_GetMaximumSize() const;
    // How many buffers share the block; 0 without a block.
    std::size_t n_GetUseCount() const;
    std::size_t n_GetGranularity() const { return granularity_; }
    void v_SetGranularity(std::size_t granularity);

    // The data for reading; null without a block.
    const std::uint8_t* pcuc_GetData() const { return data_; }
    // The data for writing: a shared block is copied first.
    std::uint8_t* puc_GetData();

    // The block size v_SetSize chooses for `size` data bytes: below 1024 as
    // v_Init; from 1024 on the size grows by 5/4, 7/5 or 3/2 (at 2048 and
    // 4096) rounded up to 64, so that repeated appends copy rarely.
    static std::size_t sn_BlockSizeFor(std::size_t size, std::size_t granularity);
    static std::size_t sn_InitBlockSizeFor(std::size_t size, std::size_t granularity);

  private:
    struct Header;
    Header* header() const;
    void v_Attach(std::uint8_t* data);
    void v_Release();
    void v_MakeBlock(std::size_t blockSize, const std::uint8_t* keep, std::size_t keepSize);
    void v_SetUsedSize(std::size_t size);
    // Makes the block unshared with room for `size` bytes, keeping the data.
    void v_PrepareWrite(std::size_t size);
    // Makes the buffer writable and long enough for `size` bytes at
    // `offset` (a gap after the used bytes is zero-filled); returns where
    // they go.
    std::uint8_t* pb_OpenRange(std::size_t offset, std::size_t size);

    std::size_t granularity_;
    std::uint8_t* data_ = nullptr;
};

} // namespace quillex
