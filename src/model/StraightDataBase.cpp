#include "model/StraightDataBase.h"

#include "base/Error.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {
constexpr const char* Tag = "StraightDataBase1";
}

StraightDataBase::StraightDataBase(int elementSize) : elementSize(elementSize) {}

StraightDataBase::~StraightDataBase() {
    Release();
}

StraightDataBase::StraightDataBase(StraightDataBase&& other) noexcept
    : data(std::exchange(other.data, nullptr)), elementSize(other.elementSize),
      count(std::exchange(other.count, 0)) {}

StraightDataBase& StraightDataBase::operator=(StraightDataBase&& other) noexcept {
    if (this != &other) {
        Release();
        data = std::exchange(other.data, nullptr);
        elementSize = other.elementSize;
        count = std::exchange(other.count, 0);
    }
    return *this;
}

void StraightDataBase::Release() {
    std::free(data);
    data = nullptr;
    count = 0;
}

int StraightDataBase::AddData(const void* record) {
    return InsertData(record, count);
}

int StraightDataBase::InsertData(const void* record, int index) {
    if (index < 0 || index > count) {
        Error::Fatal(Tag, "範囲外にデータを挿入しようとした");
    }
    Resize(count + 1);
    const int moved = count - 1 - index;
    if (moved > 0) {
        std::memmove(At(index + 1), At(index), static_cast<size_t>(moved) * elementSize);
    }
    std::memcpy(At(index), record, elementSize);
    return index;
}

// An index outside the array would write past the block, so it is reported like a read.
void StraightDataBase::SetData(const void* record, int index) {
    CheckAccess(index);
    std::memcpy(At(index), record, elementSize);
}

void StraightDataBase::GetData(void* record, int index) const {
    CheckAccess(index);
    std::memcpy(record, At(index), elementSize);
}

void StraightDataBase::DeleteData(int index) {
    CheckAccess(index);
    const int moved = count - 1 - index;
    if (moved > 0) {
        std::memmove(At(index), At(index + 1), static_cast<size_t>(moved) * elementSize);
    }
    Resize(count - 1);
}

void StraightDataBase::Resize(int newCount) {
    if (newCount == 0) {
        Release();
        return;
    }
    void* block = std::realloc(data, static_cast<size_t>(newCount) * elementSize);
    if (block == nullptr) {
        Error::Fatal(Tag, "メモリの獲得に失敗しました");
    }
    data = static_cast<std::byte*>(block);
    count = newCount;
}

void StraightDataBase::CheckAccess(int index) const {
    if (index < 0 || index >= count) {
        Error::Fatal(Tag, "範囲外のデータにアクセスしようとした");
    }
}

std::byte* StraightDataBase::At(int index) const {
    return data + static_cast<ptrdiff_t>(index) * elementSize;
}
