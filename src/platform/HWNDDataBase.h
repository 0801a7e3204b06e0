#pragma once

#include "base/Error.h"

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

// The records of one window class's windows, found by window handle. Entries sit in one
// array of exactly as many entries as there are windows, in the order they were added;
// every add and remove makes a new array one entry larger or smaller. Records stay in the
// table and are worked on where they are, so a record may own what it holds (a camera its
// surface): removing the entry, or releasing the table, releases it. Handles need not be
// unique: lookups take the first entry of a handle. Misuse is reported and ends the program.
template <class Record> class HWNDDataBase {
public:
    // Empties the table, releasing what it held.
    void Init() { Release(); }
    void Release() {
        entries.reset();
        count = 0;
    }

    void Add(std::uint32_t handle, Record record) {
        std::unique_ptr<Entry[]> grown = Allocate(count + 1);
        for (int i = 0; i < count; ++i) {
            grown[i] = std::move(entries[i]);
        }
        grown[count] = {handle, std::move(record)};
        entries = std::move(grown);
        ++count;
    }

    void Remove(std::uint32_t handle) {
        const int index = Find(handle);
        std::unique_ptr<Entry[]> shrunk = Allocate(count - 1);
        for (int i = 0, to = 0; i < count; ++i) {
            if (i != index) {
                shrunk[to++] = std::move(entries[i]);
            }
        }
        entries = std::move(shrunk);
        --count;
    }

    Record& At(std::uint32_t handle) { return entries[Find(handle)].record; }
    const Record& At(std::uint32_t handle) const { return entries[Find(handle)].record; }

    int GetCount() const { return count; }
    // The handle of the entry at the index.
    std::uint32_t HandleAt(int index) const { return entries[CheckIndex(index)].handle; }

private:
    static constexpr const char* Tag = "HWNDDataBase2";

    struct Entry {
        std::uint32_t handle = 0;
        Record record{};
    };

    static std::unique_ptr<Entry[]> Allocate(int size) {
        if (size == 0) {
            return nullptr;
        }
        Entry* array = new (std::nothrow) Entry[static_cast<std::size_t>(size)];
        if (array == nullptr) {
            Error::Fatal(Tag, "メモリの獲得に失敗しました");
        }
        return std::unique_ptr<Entry[]>(array);
    }

    int Find(std::uint32_t handle) const {
        for (int i = 0; i < count; ++i) {
            if (entries[i].handle == handle) {
                return i;
            }
        }
        Error::Fatal(Tag, "登録していないＨＷＮＤにアクセスしようとした");
    }

    int CheckIndex(int index) const {
        if (index < 0 || index >= count) {
            Error::Fatal(Tag, "範囲外の番号でデータを獲得しようとした");
        }
        return index;
    }

    std::unique_ptr<Entry[]> entries;
    int count = 0;
};
