#pragma once
// Failures of the toolkit are C++ exceptions carrying a message for the user. They derive
// from std::exception and hold their text themselves: std::runtime_error would bring
// libstdc++'s copy-on-write strings into the library, a tenth of its size.
#include <exception>
#include <string>

namespace tk {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    explicit Exception(const char* message) : m_message(message) {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// A value outside the range its receiver accepts.
class ERangeError : public Exception {
public:
    ERangeError() : Exception("Range check error") {}
    using Exception::Exception;
};

// A registry key or value that could not be read or written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// An INI file that could not be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// A stored layout that names something the toolkit does not know.
class ELayoutError : public Exception {
public:
    using Exception::Exception;
};

} // namespace tk
