#include "tests/support/SystemIni.h"
#include "tests/support/Files.h"

#include <stdexcept>

namespace ts {

SystemIni::SystemIni() : m_saved(Read()) {}

SystemIni::SystemIni(const std::string& bytes) : SystemIni() { Write(bytes); }

SystemIni::~SystemIni()
{
    if (m_saved) Write(*m_saved);
    else Remove();
}

std::string SystemIni::Path()
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\system.ini";
}

std::optional<std::string> SystemIni::Read() { return ReadBytes(Path()); }

void SystemIni::Write(const std::string& bytes) { WriteBytes(Path(), bytes); }

void SystemIni::Remove() { ::DeleteFileA(Path().c_str()); }

SystemIniLock::SystemIniLock()
    : m_file(::CreateFileA(SystemIni::Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (!m_file) throw std::runtime_error("cannot hold " + SystemIni::Path() + " open");
}

} // namespace ts
