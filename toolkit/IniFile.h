#pragma once
// Keys of an INI file, read and written through the Win32 profile functions. The file name
// goes to them unchanged, so a name without a folder means a file in the Windows folder.
#include <string>
#include <utility>

namespace tk {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}

    [[nodiscard]] std::string FileName() const { return m_fileName; }

    // The key's value, or defaultValue unchanged when file, section or key are absent.
    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // Sets the key, adding section and key when absent. Raises EIniFileException when the
    // file cannot be written.
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value);
    // Removes the key; an absent key, section or file is no failure.
    void DeleteKey(const std::string& section, const std::string& key);

private:
    std::string m_fileName;
};

} // namespace tk
