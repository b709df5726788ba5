#pragma once
// What the host reports of a session: one line per event, to a file, or without one to
// standard output (where a console or a redirection gave one).
#include <cstdio>
#include <memory>
#include <string>

namespace Host {

class Report {
public:
    // Throws std::runtime_error when the file cannot be written.
    void Open(const std::string& path);
    void Line(const std::string& text);

private:
    std::unique_ptr<FILE, int (*)(FILE*)> m_file{nullptr, &std::fclose};
};

} // namespace Host
