#pragma once
// The language the user chose with the host's language buttons, kept in the registry
// (the value Language under the settings key) for the next start.
namespace Host {

// 1 for English; 0 (German) when nothing or something else is stored.
int StoredLanguage();
// Keeps `language` (0 or 1); a registry that refuses the write is no failure.
void StoreLanguage(int language);

} // namespace Host
