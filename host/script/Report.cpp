#include "host/script/Report.h"

#include <windows.h>

#include <stdexcept>

namespace Host {

void Report::Open(const std::string& path)
{
    m_file.reset(std::fopen(path.c_str(), "wb")); // the lines end in CR LF already
    if (!m_file) throw std::runtime_error("cannot write the report " + path);
}

void Report::Line(const std::string& text)
{
    const std::string line = text + "\r\n";
    if (m_file) {
        std::fputs(line.c_str(), m_file.get());
        std::fflush(m_file.get());
        return;
    }
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE)
        ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace Host
