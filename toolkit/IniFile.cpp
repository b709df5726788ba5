#include "toolkit/IniFile.h"
#include "toolkit/Exceptions.h"

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
        DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent,
                                                  buffer.data(),
                                                  static_cast<DWORD>(buffer.size()),
                                                  m_fileName.c_str());
        // A value that does not fit comes back cut to size - 1 characters.
        if (length + 1 < buffer.size()) {
            std::string value(buffer.data(), length);
            return value == kAbsent ? defaultValue : value;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value)
{
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      m_fileName.c_str()))
        throw EIniFileException("Unable to write to " + m_fileName);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    ::WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, m_fileName.c_str());
}

} // namespace tk
