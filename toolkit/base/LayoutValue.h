#pragma once
// A value as a stored layout writes it, and the name comparison layouts use.
#include "toolkit/base/Component.h"

#include <string>
#include <vector>

namespace tk {

// A value as a layout stores it.
struct LayoutValue {
    enum class Kind { Integer, String, Identifier, Set, Resource };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;               // string, identifier or resource name
    std::vector<std::string> items; // set members
};

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

// A published method of a window class, called with the window and the event's sender.
struct PublishedHandler {
    void (TComponent::*method)(TObject* sender);
    void operator()(TComponent& form, TObject* sender) const { (form.*method)(sender); }
};

} // namespace tk
