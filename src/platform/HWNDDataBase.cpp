#include "platform/HWNDDataBase.h"

#include "base/Error.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr const char* Tag = "HWNDDataBase2";
constexpr std::size_t HandleSize = sizeof(std::uint32_t);
} // namespace

HWNDDataBase::~HWNDDataBase() {
    Release();
}

// A table initialised again frees what it held instead of losing it.
void HWNDDataBase::Init(std::uint32_t size) {
    Release();
    recordSize = size;
}

void HWNDDataBase::Release() {
    std::free(entries);
    entries = nullptr;
    count = 0;
}

void HWNDDataBase::Add(const void* record, std::uint32_t size, std::uint32_t handle) {
    CheckSize(size);
    Resize(count + 1);
    std::byte* entry = EntryAt(count - 1);
    std::memcpy(entry, &handle, HandleSize);
    std::memcpy(entry + HandleSize, record, recordSize);
}

void HWNDDataBase::Remove(std::uint32_t handle) {
    const int index = Find(handle);
    const int moved = count - 1 - index;
    if (moved > 0) {
        std::memmove(EntryAt(index), EntryAt(index + 1),
                     static_cast<std::size_t>(moved) * EntrySize());
    }
    Resize(count - 1);
}

void HWNDDataBase::Set(const void* record, std::uint32_t size, std::uint32_t handle) {
    CheckSize(size);
    std::memcpy(EntryAt(Find(handle)) + HandleSize, record, recordSize);
}

void HWNDDataBase::Get(void* record, std::uint32_t size, std::uint32_t handle) const {
    CheckSize(size);
    std::memcpy(record, EntryAt(Find(handle)) + HandleSize, recordSize);
}

std::uint32_t HWNDDataBase::GetAt(void* record, std::uint32_t size, int index) const {
    CheckSize(size);
    if (index < 0 || index >= count) {
        Error::Fatal(Tag, "範囲外の番号でデータを獲得しようとした");
    }
    std::uint32_t handle = 0;
    std::memcpy(&handle, EntryAt(index), HandleSize);
    std::memcpy(record, EntryAt(index) + HandleSize, recordSize);
    return handle;
}

void HWNDDataBase::CheckSize(std::uint32_t size) const {
    if (size != recordSize) {
        Error::Fatal(Tag, "データサイズが異なるものを追加しようとした");
    }
}

int HWNDDataBase::Find(std::uint32_t handle) const {
    for (int i = 0; i < count; ++i) {
        std::uint32_t stored = 0;
        std::memcpy(&stored, EntryAt(i), HandleSize);
        if (stored == handle) {
            return i;
        }
    }
    Error::Fatal(Tag, "登録していないＨＷＮＤにアクセスしようとした");
}

void HWNDDataBase::Resize(int newCount) {
    if (newCount == 0) {
        Release();
        return;
    }
    void* block = std::realloc(entries, static_cast<std::size_t>(newCount) * EntrySize());
    if (block == nullptr) {
        Error::Fatal(Tag, "メモリの獲得に失敗しました");
    }
    entries = static_cast<std::byte*>(block);
    count = newCount;
}

std::byte* HWNDDataBase::EntryAt(int index) const {
    return entries + static_cast<std::size_t>(index) * EntrySize();
}
