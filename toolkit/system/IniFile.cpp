#include "toolkit/system/IniFile.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Handles.h"
#include "toolkit/system/SystemFolders.h"

#include <windows.h>
#include <vector>

namespace tk {

namespace {

// Handed to the profile function as its default: a line break never occurs in a value
// read from a file, so getting it back means the key is absent. The caller's default is
// then returned as it is (the profile function would strip its trailing blanks).
constexpr char kAbsent[] = "\n<absent>\n";

} // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), m_fileName.c_str());
        // A value that does not fit comes back cut to size - 1 characters.
        if (length + 1 < buffer.size()) {
            std::string value(buffer.data(), length);
            return value == kAbsent ? defaultValue : value;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (!IsOneLine(value)) throw EIniFileException("A value for " + m_fileName + " must not contain a line break");
    if (value.size() > kMaxValueLength)
        throw EIniFileException("A value for " + m_fileName + " must not be longer than " +
                                std::to_string(kMaxValueLength) + " characters");
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), m_fileName.c_str()))
        throw EIniFileException("Unable to write to " + m_fileName);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    if (::WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, m_fileName.c_str())) return;
    // The profile function may report an absent key as a failure too: a removal has worked
    // when the key is gone. A file that cannot be written fails it on its own, since one
    // held open without sharing reads as if the key were gone.
    if (!CanOpen(GENERIC_WRITE) || ReadString(section, key, kAbsent) != kAbsent)
        throw EIniFileException("Unable to write to " + m_fileName);
}

std::string TIniFile::Path() const
{
    if (m_fileName.find_first_of("\\/:") != std::string::npos) return m_fileName;
    const std::string path = WindowsFolderFile(m_fileName);
    return path.empty() ? m_fileName : path;
}

bool TIniFile::CanOpen(unsigned long access) const
{
    // FILE_SHARE_DELETE is unknown to Windows 95.
    const UniqueFile file(::CreateFileA(Path().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool TIniFile::IsOneLine(const std::string& value)
{
    return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

} // namespace tk
