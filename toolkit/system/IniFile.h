#pragma once
// Keys of an INI file, read and written through the Win32 profile functions. The file name
// goes to them unchanged, so a name without a folder means a file in the Windows folder.
#include <cstddef>
#include <string>
#include <utility>

namespace tk {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : m_fileName(std::move(fileName)) {}

    [[nodiscard]] std::string FileName() const { return m_fileName; }
    // Where the profile functions look for the file: a name without a folder lies in the
    // Windows folder.
    [[nodiscard]] std::string Path() const;
    // False when the file exists but cannot be opened with `access` (GENERIC_READ or
    // GENERIC_WRITE), for one when another program holds it open without sharing; the
    // profile functions then read defaults and write nothing. An absent file is true.
    [[nodiscard]] bool CanOpen(unsigned long access) const;
    // The longest value the profile functions take: Windows NT passes each text through a
    // counted Unicode string of at most 32,767 characters with its NUL, and refuses a
    // longer one (Wine goes on with garbage).
    static constexpr std::size_t kMaxValueLength = 32766;
    // A value that a file can hold as one key: no line break, no NUL.
    [[nodiscard]] static bool IsOneLine(const std::string& value);

    // The key's value, or defaultValue unchanged when file, section or key are absent.
    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // Sets the key, adding section and key when absent. Raises EIniFileException when the
    // file cannot be written or the value is not storable; then nothing is written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key; an absent key, section or file is no failure. Raises
    // EIniFileException when the file exists but cannot be written, or the key is still
    // there after a removal that the profile function reported as failed.
    void DeleteKey(const std::string& section, const std::string& key);

private:
    std::string m_fileName;
};

} // namespace tk
