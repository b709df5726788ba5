// The failures that libstdc++'s containers and strings raise (a length beyond what they
// hold, an index out of range, no memory), defined here in place of the runtime's own.
// Its own throw std::length_error and std::out_of_range, whose texts are copy-on-write
// strings: they would bring that second string class into the library, and with it about
// 80 KB of code and unwind tables (bench/README.md). These raise the same failures with
// the same texts as exceptions of the std::exception family, so every handler that takes
// them today (std::exception or any) takes them still.
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <exception>
#include <new>

namespace {

class LibraryFailure : public std::exception {
public:
    explicit LibraryFailure(const char* text) noexcept { std::strncpy(m_text, text, sizeof m_text - 1); }
    const char* what() const noexcept override { return m_text; }

private:
    char m_text[256] = {};
};

void Append(char*& out, const char* end, const char* text)
{
    while (*text && out < end) *out++ = *text++;
}

} // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char* text) { throw LibraryFailure(text); }
void __throw_logic_error(const char* text) { throw LibraryFailure(text); }

// The format takes %s, %zu and %%, as the runtime's own does.
void __throw_out_of_range_fmt(const char* format, ...)
{
    char text[256];
    char* out = text;
    const char* const end = text + sizeof text - 1;
    va_list arguments;
    va_start(arguments, format);
    for (const char* f = format; *f && out < end; ++f) {
        if (*f != '%') {
            *out++ = *f;
        } else if (f[1] == 's') {
            Append(out, end, va_arg(arguments, const char*));
            ++f;
        } else if (f[1] == 'z' && f[2] == 'u') {
            char digits[24];
            char* d = digits + sizeof digits - 1;
            *d = '\0';
            std::size_t value = va_arg(arguments, std::size_t);
            do *--d = static_cast<char>('0' + value % 10);
            while ((value /= 10) != 0);
            Append(out, end, d);
            f += 2;
        } else {
            *out++ = '%';
            if (f[1] == '%') ++f;
        }
    }
    va_end(arguments);
    *out = '\0';
    throw LibraryFailure(text);
}

} // namespace std
