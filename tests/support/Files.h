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

// A folder of its own below the temp folder, for the files one test sets up: made empty,
// and removed with the files in it when this goes.
class TemporaryFolder {
public:
    // Throws std::runtime_error when the folder cannot be made.
    explicit TemporaryFolder(const std::string& name);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Without a trailing backslash.
    [[nodiscard]] const std::string& Path() const { return m_path; }
    // Copies the file `from` into the folder as `name`; throws std::runtime_error when it
    // cannot.
    void Copy(const std::string& from, const std::string& name) const;

private:
    std::string m_path;
};

} // namespace ts
