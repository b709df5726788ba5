#pragma once
// ComRef: one counted reference to a COM object, released in exactly one place. It takes
// over a reference the caller already holds (an out-parameter filled by the system).
#include <unknwn.h>

#include <utility>

namespace tk {

template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* owned) : m_object(owned) {}
    ComRef(ComRef&& other) noexcept : m_object(other.Detach()) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    [[nodiscard]] T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // The slot a function that returns a new reference fills; what was held goes first.
    T** Out()
    {
        Reset();
        return &m_object;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    // Hands the reference to the caller, who releases it.
    [[nodiscard]] T* Detach() { return std::exchange(m_object, nullptr); }
    void Reset(T* owned = nullptr)
    {
        if (T* old = std::exchange(m_object, owned)) old->Release();
    }

private:
    T* m_object = nullptr;
};

} // namespace tk
