#pragma once
// What a class description's property setters ask of the layout being read: its values in
// the kinds they take, the components it names, the handlers it binds, and its failure.
// A stored layout (forms/StoredLayout.h) answers them.
#include "toolkit/base/LayoutValue.h"

#include <functional>
#include <map>
#include <string>

namespace tk {

class LayoutReader {
public:
    virtual int AsInteger(const LayoutValue& value) = 0;
    virtual bool AsBoolean(const LayoutValue& value) = 0;
    virtual std::string AsString(const LayoutValue& value) = 0;
    // A colour number or one of the colour names (clWhite, clBtnFace, ...).
    virtual int AsColor(const LayoutValue& value) = 0;
    virtual int AsEnum(const LayoutValue& value, const std::map<std::string, int, NoCaseLess>& names) = 0;
    virtual unsigned AsSet(const LayoutValue& value, const std::map<std::string, unsigned, NoCaseLess>& names) = 0;
    // The bytes of the resource that @NAME names.
    virtual std::string AsResourceData(const LayoutValue& value) = 0;
    // Calls `apply` with the named component once the whole layout has been read.
    virtual void Resolve(const LayoutValue& value, std::function<void(TComponent*)> apply) = 0;
    virtual const PublishedHandler* Handler(const LayoutValue& value) = 0;
    // The window the layout is read into.
    virtual TComponent& Root() = 0;
    // Raises an ELayoutError that names the layout's place and `word`.
    [[noreturn]] virtual void Fail(const std::string& what, const std::string& word) const = 0;

protected:
    LayoutReader() = default;
    ~LayoutReader() = default;
    LayoutReader(const LayoutReader&) = default;
    LayoutReader& operator=(const LayoutReader&) = default;
};

} // namespace tk
