#include "host/LanguageStore.h"
#include "contract/Settings.h"
#include "toolkit/base/Handles.h"

namespace Host {

namespace {

constexpr char kLanguageValue[] = "Language";

} // namespace

int StoredLanguage()
{
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return 0;
    const tk::UniqueRegKey key(raw);
    DWORD value = 0, type = 0, size = sizeof value;
    if (::RegQueryValueExA(key.get(), kLanguageValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value == 1 ? 1 : 0;
}

void StoreLanguage(int language)
{
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return;
    const tk::UniqueRegKey key(raw);
    const DWORD value = static_cast<DWORD>(language);
    ::RegSetValueExA(key.get(), kLanguageValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

} // namespace Host
