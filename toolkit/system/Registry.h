#pragma once
// Access to one registry key at a time below a root key. The open key is owned and closed
// by the object; failures to read or write a value raise tk::ERegistryException.
#include "toolkit/base/Handles.h"

#include <windows.h>
#include <string>

namespace tk {

class TRegistry {
public:
    // Root HKEY_CURRENT_USER, no key open.
    TRegistry() = default;

    [[nodiscard]] HKEY RootKey() const { return m_root; }
    // Closes any open key: its path was relative to the old root.
    void SetRootKey(HKEY root);

    // Opens `key` below the root for reading and writing; with `create` every missing key
    // of the path is created. On success the key replaces the open one; on failure the
    // open key stays. A leading backslash means the same as none.
    bool OpenKey(const std::string& key, bool create);
    // Opens an existing key below the root for reading only. WriteString refuses to write
    // through it on every Windows, also on 95, 98 and ME, whose registry has no access
    // control and would take the write.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey() { m_key.reset(); }
    [[nodiscard]] HKEY CurrentKey() const { return m_key.get(); }

    // False when no key is open.
    [[nodiscard]] bool ValueExists(const std::string& name) const;
    // An integer (REG_DWORD) value, non-zero is true. Any other type, a missing value or
    // no open key raise ERegistryException.
    [[nodiscard]] bool ReadBool(const std::string& name) const;
    // Writes a REG_SZ value; raises ERegistryException when no key is open, the key is open
    // for reading only, or the system refuses the write.
    void WriteString(const std::string& name, const std::string& value);

private:
    bool Open(const std::string& key, REGSAM access, bool create);
    HKEY RequireKey(const std::string& name) const;

    HKEY m_root = HKEY_CURRENT_USER;
    UniqueRegKey m_key;
    bool m_readOnly = false;
};

} // namespace tk
