#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh directory for one test, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string File(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};

// Makes a directory the current one for a scope and goes back afterwards.
class CurrentDir {
public:
    explicit CurrentDir(const std::filesystem::path& dir);
    ~CurrentDir();
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

private:
    std::filesystem::path previous;
};

std::vector<unsigned char> ReadBytes(const std::string& file);
void WriteBytes(const std::string& file, const std::vector<unsigned char>& bytes);
std::string ReadText(const std::string& file);
