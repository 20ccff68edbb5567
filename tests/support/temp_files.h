// Temporary folders and files for tests, on Linux and under Wine alike.
#pragma once
#include <string>

// A fresh empty folder under the system's temporary folder; removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // Path of the folder, ending in the platform's separator.
    const std::string& path() const { return path_; }
    // Writes the bytes as they are (no newline translation) to a file in the folder.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The bytes of a file in the folder ("" when there is none), and how many entries it holds.
    std::string read(const std::string& name) const;
    int entries() const;

private:
    std::string path_;
};
