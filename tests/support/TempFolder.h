// A fresh folder under the temporary directory, removed with everything in it at the end.
#pragma once

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in a backslash.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }

    // Writes and reads whole files as exact bytes; subfolders are made as needed.
    void write(const std::string& name, const std::string& bytes) const;
    // A name code page 936 cannot write.
    void write(const std::wstring& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void makeFolder(const std::string& name) const;

private:
    std::string m_path;
};
