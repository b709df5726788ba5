#pragma once
// Failures of the toolkit are C++ exceptions carrying a message for the user.
#include <stdexcept>
#include <string>

namespace tk {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
