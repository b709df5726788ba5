#pragma once
// StoredLayout: a window layout stored as text, read and applied to a window: creates the
// components it names (owned by the window, in layout order), gives them their parents and
// sets their properties by name, through the classes' descriptions (ClassInfo.h).
// References to other components are resolved once the whole layout has been read, so a
// layout may name a component before it creates it.
//
// Syntax, one statement a line, '#' starts a comment line:
//   object Name: TClass        creates a component (inside a control: a child of it)
//   inherited Name: TClass     changes a component an ancestor's layout created
//   end                        closes the object
//   Property = value           Property may be dotted (Font.Name)
// Values: 12, -11, $FF; 'text' with '' for a quote and #252 for a character code, parts
// written side by side ('G'#252'ltig'); True, clWhite, ImageList1; [a, b]; @RESOURCE.
#include "toolkit/base/LayoutReader.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tk {

class TClassInfo;

class StoredLayout final : public LayoutReader {
public:
    StoredLayout(TComponent& root, std::string fileName, std::string text);

    // Reads the layouts stored for the root's class and each of its ancestors, the
    // oldest ancestor's first. A class's layout is the RCDATA resource named after it.
    static void LoadInheritedLayouts(TComponent& root);
    // The bytes of an RCDATA resource of the module the toolkit is linked into.
    static std::string ResourceData(const std::string& name);

    // Reads the layout into the root; raises ELayoutError at the first thing it does not know.
    void Read();

    int AsInteger(const LayoutValue& value) override;
    bool AsBoolean(const LayoutValue& value) override;
    std::string AsString(const LayoutValue& value) override;
    int AsColor(const LayoutValue& value) override;
    int AsEnum(const LayoutValue& value, const std::map<std::string, int, NoCaseLess>& names) override;
    unsigned AsSet(const LayoutValue& value, const std::map<std::string, unsigned, NoCaseLess>& names) override;
    std::string AsResourceData(const LayoutValue& value) override;
    void Resolve(const LayoutValue& value, std::function<void(TComponent*)> apply) override;
    const PublishedHandler* Handler(const LayoutValue& value) override;
    TComponent& Root() override { return m_root; }
    [[noreturn]] void Fail(const std::string& what, const std::string& word) const override;

private:
    struct Fixup {
        int line;
        std::string name;
        std::function<void(TComponent*)> apply;
    };

    // A line that opens an object, in its parts.
    struct Header {
        bool inherited;
        std::string name;
        std::string className;
    };
    static bool OpensObject(const std::string& line);
    // Fails with `expected` where the line has no colon.
    Header ReadHeader(const std::string& line, const char* expected) const;
    // The class a layout names; fails where it is unknown.
    const TClassInfo& ClassNamed(const std::string& name) const;
    void ReadObject(TComponent* component, const TClassInfo& cls);
    void ReadProperty(TComponent& component, const TClassInfo& cls, const std::string& line);
    LayoutValue ParseValue(const std::string& text);
    bool NextLine(std::string& line);

    TComponent& m_root;
    std::string m_fileName;
    std::vector<std::string> m_lines;
    size_t m_next = 0;
    int m_line = 0;
    std::vector<Fixup> m_fixups;
};

} // namespace tk
