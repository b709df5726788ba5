#include "tests/support/SystemIni.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ts {

SystemIni::SystemIni() : m_saved(Read()) {}

SystemIni::~SystemIni()
{
    if (m_saved)
        Write(*m_saved);
    else
        Remove();
}

std::string SystemIni::Path()
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\system.ini";
}

std::optional<std::string> SystemIni::Read()
{
    std::ifstream in(Path(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SystemIni::Write(const std::string& bytes)
{
    std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + Path());
}

void SystemIni::Remove()
{
    ::DeleteFileA(Path().c_str());
}

SystemIniLock::SystemIniLock()
    : m_file(::CreateFileA(SystemIni::Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (!m_file) throw std::runtime_error("cannot hold " + SystemIni::Path() + " open");
}

} // namespace ts
