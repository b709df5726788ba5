#pragma once
// Files as a test sets them up and reads them back: whole, byte for byte.
#include <optional>
#include <string>

namespace ts {

bool FileExists(const std::string& path);
// The file's bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadBytes(const std::string& path);
// Replaces the file's bytes, creating it; throws std::runtime_error when it cannot.
void WriteBytes(const std::string& path, const std::string& bytes);

} // namespace ts
