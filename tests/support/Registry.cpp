#include "tests/support/Registry.h"
#include "toolkit/base/Handles.h"

#include <shlwapi.h>

#include <stdexcept>

namespace ts {
namespace {

tk::UniqueRegKey Open(const std::string& key, REGSAM access)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, access, &opened) != ERROR_SUCCESS) return {};
    return tk::UniqueRegKey(opened);
}

// The key above `key`, or "" for HKEY_CURRENT_USER itself.
std::string Parent(const std::string& key)
{
    const size_t slash = key.find_last_of('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

} // namespace

RegistryValue Dword(DWORD number)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof number)};
}

RegistryValue String(const std::string& text)
{
    return {REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1)};
}

RegistryValue Binary(std::vector<BYTE> bytes) { return {REG_BINARY, std::move(bytes)}; }

bool RegistryKeyExists(const std::string& key) { return static_cast<bool>(Open(key, KEY_READ)); }

std::map<std::string, RegistryValue> ReadRegistryValues(const std::string& key)
{
    std::map<std::string, RegistryValue> values;
    const tk::UniqueRegKey opened = Open(key, KEY_READ);
    if (!opened) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (::RegEnumValueA(opened.get(), i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        RegistryValue& value = values[name];
        value.type = type;
        value.data.resize(size);
        ::RegQueryValueExA(opened.get(), name, nullptr, nullptr, value.data.data(), &size);
    }
    return values;
}

std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::string& name)
{
    auto values = ReadRegistryValues(key);
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return std::move(it->second);
}

void WriteRegistryValue(const std::string& key, const std::string& name, const std::optional<RegistryValue>& value)
{
    HKEY created = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot open HKCU\\" + key);
    const tk::UniqueRegKey opened(created);
    if (value)
        ::RegSetValueExA(opened.get(), name.c_str(), 0, value->type, value->data.data(),
                         static_cast<DWORD>(value->data.size()));
    else ::RegDeleteValueA(opened.get(), name.c_str());
}

SavedRegistryKey::SavedRegistryKey(std::string key) : m_key(std::move(key)), m_existing(m_key)
{
    while (!m_existing.empty() && !RegistryKeyExists(m_existing)) m_existing = Parent(m_existing);
    if (m_existing == m_key) m_values = ReadRegistryValues(m_key);
}

SavedRegistryKey::~SavedRegistryKey()
{
    if (m_existing != m_key) {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str());
        for (std::string above = Parent(m_key); above != m_existing; above = Parent(above))
            ::SHDeleteEmptyKeyA(HKEY_CURRENT_USER, above.c_str());
        return;
    }
    try {
        for (const auto& [name, value] : ReadRegistryValues(m_key))
            if (!m_values.count(name)) WriteRegistryValue(m_key, name, std::nullopt);
        for (const auto& [name, value] : m_values) WriteRegistryValue(m_key, name, value);
    } catch (const std::runtime_error&) {
        // The key can no longer be written: nothing can be put back.
    }
}

} // namespace ts
