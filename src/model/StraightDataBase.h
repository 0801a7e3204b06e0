#pragma once

#include <cstddef>

// An ordered array of fixed-size records in one block of exactly count × element size
// bytes: every append, insertion and removal resizes the block by one record. Records are
// copied in and out byte for byte and never interpreted.
class StraightDataBase {
public:
    explicit StraightDataBase(int elementSize);
    ~StraightDataBase();
    StraightDataBase(const StraightDataBase&) = delete;
    StraightDataBase& operator=(const StraightDataBase&) = delete;
    StraightDataBase(StraightDataBase&& other) noexcept;
    StraightDataBase& operator=(StraightDataBase&& other) noexcept;

    void Release();
    int AddData(const void* record);
    int InsertData(const void* record, int index);
    void SetData(const void* record, int index);
    void GetData(void* record, int index) const;
    void DeleteData(int index);
    int GetDataNum() const { return count; }

private:
    void Resize(int newCount);
    void CheckAccess(int index) const;
    std::byte* At(int index) const;

    std::byte* data = nullptr;
    int elementSize;
    int count = 0;
};
