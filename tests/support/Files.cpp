#include "tests/support/Files.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace ts {

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::string> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

struct CloseSearch {
    void operator()(HANDLE search) const { ::FindClose(search); }
};

// Removes the files of `folder`, and the folder once it is empty.
void Remove(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE first = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (first != INVALID_HANDLE_VALUE) {
        const std::unique_ptr<void, CloseSearch> search(first);
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (::FindNextFileA(search.get(), &found));
    }
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace

TemporaryFolder::TemporaryFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + name + "-" + std::to_string(::GetCurrentProcessId());
    Remove(m_path); // what a crashed run of the same process id left
    if (!::CreateDirectoryA(m_path.c_str(), nullptr)) throw std::runtime_error("cannot make " + m_path);
}

TemporaryFolder::~TemporaryFolder() { Remove(m_path); }

void TemporaryFolder::Copy(const std::string& from, const std::string& name) const
{
    if (!::CopyFileA(from.c_str(), (m_path + "\\" + name).c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + m_path);
}

} // namespace ts
