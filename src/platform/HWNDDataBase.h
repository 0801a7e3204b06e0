#pragma once

#include <cstddef>
#include <cstdint>

// The records of one window class's windows, found by window handle. Entries sit in one
// block of exactly count × (4 + record size) bytes, each the handle followed by the record,
// in the order they were added; every add and remove resizes the block by one entry.
// Records are copied in and out byte for byte. Handles need not be unique: lookups take
// the first entry of a handle. Every misuse is reported and ends the program.
class HWNDDataBase {
public:
    HWNDDataBase() = default;
    ~HWNDDataBase();
    HWNDDataBase(const HWNDDataBase&) = delete;
    HWNDDataBase& operator=(const HWNDDataBase&) = delete;

    // Empties the table; every later call must pass this record size.
    void Init(std::uint32_t recordSize);
    void Release();
    void Add(const void* record, std::uint32_t size, std::uint32_t handle);
    void Remove(std::uint32_t handle);
    void Set(const void* record, std::uint32_t size, std::uint32_t handle);
    void Get(void* record, std::uint32_t size, std::uint32_t handle) const;
    int GetCount() const { return count; }
    // Copies out the record of the entry at the index and returns the entry's handle.
    std::uint32_t GetAt(void* record, std::uint32_t size, int index) const;

private:
    void CheckSize(std::uint32_t size) const;
    int Find(std::uint32_t handle) const;
    void Resize(int newCount);
    std::size_t EntrySize() const { return sizeof(std::uint32_t) + recordSize; }
    std::byte* EntryAt(int index) const;

    std::byte* entries = nullptr;
    std::uint32_t recordSize = 0;
    int count = 0;
};
