#pragma once
// Registry values of the current user as a test sets and reads them, and a key kept as it
// was before the test: its values, and whether it existed at all.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ts {

// A value's type and bytes as RegQueryValueEx gives them.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RegistryValue&) const = default;
};

RegistryValue Dword(DWORD number);
RegistryValue String(const std::string& text);
RegistryValue Binary(std::vector<BYTE> bytes);

// Paths below HKEY_CURRENT_USER.
bool RegistryKeyExists(const std::string& key);
// Every value of the key by name; none when the key does not exist.
std::map<std::string, RegistryValue> ReadRegistryValues(const std::string& key);
// The value, or nothing when it or its key is absent.
std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::string& name);
// Writes the value, creating the key, or deletes it when `value` holds nothing. Throws
// std::runtime_error when the key cannot be opened for writing.
void WriteRegistryValue(const std::string& key, const std::string& name, const std::optional<RegistryValue>& value);

// Keeps a key of HKEY_CURRENT_USER as it was when the guard was made, whatever happens
// meanwhile: its values come back byte for byte, values added since go, and a key that did
// not exist goes again with whatever was made below it, and so do the keys above it that
// came with it.
class SavedRegistryKey {
public:
    explicit SavedRegistryKey(std::string key);
    ~SavedRegistryKey();
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

private:
    std::string m_key;
    std::string m_existing; // the key itself, or the deepest key above it that exists
    std::map<std::string, RegistryValue> m_values;
};

} // namespace ts
