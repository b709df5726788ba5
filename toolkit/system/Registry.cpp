#include "toolkit/system/Registry.h"
#include "toolkit/base/Exceptions.h"

namespace tk {

namespace {

// The system's text for a Win32 error code, without the trailing line break.
std::string ErrorText(LONG code)
{
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                    static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    m_root = root;
}

bool TRegistry::OpenKey(const std::string& key, bool create) { return Open(key, KEY_READ | KEY_WRITE, create); }

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return Open(key, KEY_READ, false); }

bool TRegistry::Open(const std::string& key, REGSAM access, bool create)
{
    const char* path = key.c_str();
    if (*path == '\\') ++path;

    HKEY opened = nullptr;
    LONG result =
        create ? ::RegCreateKeyExA(m_root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened, nullptr)
               : ::RegOpenKeyExA(m_root, path, 0, access, &opened);
    if (result != ERROR_SUCCESS) return false;
    m_key.reset(opened);
    m_readOnly = (access & KEY_SET_VALUE) == 0;
    return true;
}

HKEY TRegistry::RequireKey(const std::string& name) const
{
    if (!m_key) throw ERegistryException("No registry key open to access '" + name + "'");
    return m_key.get();
}

bool TRegistry::ValueExists(const std::string& name) const
{
    return m_key && ::RegQueryValueExA(m_key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::ReadBool(const std::string& name) const
{
    HKEY key = RequireKey(name);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG result = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result == ERROR_FILE_NOT_FOUND) throw ERegistryException("Registry value '" + name + "' does not exist");
    // A longer value of another type does not fit and ends in ERROR_MORE_DATA.
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
        throw ERegistryException("Unable to read '" + name + "': " + ErrorText(result));
    if (result == ERROR_MORE_DATA || type != REG_DWORD || size != sizeof value)
        throw ERegistryException("Invalid data type for '" + name + "'");
    return value != 0;
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    HKEY key = RequireKey(name);
    // Windows NT refuses the write itself; the 9x registry ignores the access mask.
    LONG result = m_readOnly
                      ? ERROR_ACCESS_DENIED
                      : ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                         static_cast<DWORD>(value.size() + 1));
    if (result != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "': " + ErrorText(result));
}

} // namespace tk
