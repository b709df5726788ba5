#pragma once
// The real System.INI of the test's Wine prefix: kept as it was before the test and put
// back byte for byte afterwards, or removed again when there was none.
#include "toolkit/base/Handles.h"

#include <optional>
#include <string>

namespace ts {

class SystemIni {
public:
    // Keeps the file as it stands.
    SystemIni();
    // Keeps the file as it stands and puts `bytes` in its place.
    explicit SystemIni(const std::string& bytes);
    ~SystemIni();
    SystemIni(const SystemIni&) = delete;
    SystemIni& operator=(const SystemIni&) = delete;

    static std::string Path();
    // The file's bytes, or nothing when it is absent.
    static std::optional<std::string> Read();
    static void Write(const std::string& bytes);
    static void Remove();

private:
    std::optional<std::string> m_saved;
};

// Holds System.INI open without sharing, as another program may: the profile functions
// then read defaults and write nothing.
class SystemIniLock {
public:
    SystemIniLock();
    void Release() { m_file.reset(); }

private:
    tk::UniqueFile m_file;
};

} // namespace ts
