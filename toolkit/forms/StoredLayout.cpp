#include "toolkit/forms/StoredLayout.h"
#include "toolkit/base/Application.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/forms/StandardClasses.h"
#include "toolkit/gdi/Color.h"

#include <cctype>
#include <cstdlib>

namespace tk {

namespace {

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool IsIdentifier(const std::string& s)
{
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.')) return false;
    return true;
}

bool SameText(const std::string& a, const char* b) { return !NoCaseLess{}(a, b) && !NoCaseLess{}(b, a); }

const std::map<std::string, int, NoCaseLess>& ColorNames()
{
    static const std::map<std::string, int, NoCaseLess> names{
        {"clBlack", clBlack},
        {"clWhite", clWhite},
        {"clRed", clRed},
        {"clBlue", clBlue},
        {"clNone", clNone},
        {"clWindowText", clWindowText},
        {"clWindow", clWindow},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight},
    };
    return names;
}

} // namespace

StoredLayout::StoredLayout(TComponent& root, std::string fileName, std::string text)
    : m_root(root), m_fileName(std::move(fileName))
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        m_lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string StoredLayout::ResourceData(const std::string& name)
{
    HINSTANCE module = ToolkitInstance();
    HRSRC found = ::FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    const char* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return std::string(bytes, ::SizeofResource(module, found));
}

void StoredLayout::LoadInheritedLayouts(TComponent& root)
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = &root.ClassType(); c; c = c->Parent()) chain.insert(chain.begin(), c);
    for (const TClassInfo* c : chain) {
        std::string text = ResourceData(c->Name());
        if (!text.empty()) StoredLayout(root, c->Name() + ".layout", std::move(text)).Read();
    }
}

void StoredLayout::Fail(const std::string& what, const std::string& word) const
{
    throw ELayoutError(m_fileName + "(" + std::to_string(m_line) + "): " + what + " '" + word + "'");
}

bool StoredLayout::NextLine(std::string& line)
{
    while (m_next < m_lines.size()) {
        m_line = static_cast<int>(++m_next);
        line = Trim(m_lines[m_next - 1]);
        if (!line.empty() && line[0] != '#') return true;
    }
    return false;
}

// Whether the line opens an object: "object Name: TClass" creates one, "inherited Name:
// TClass" changes one an ancestor's layout created.
bool StoredLayout::OpensObject(const std::string& line)
{
    return line.rfind("object ", 0) == 0 || line.rfind("inherited ", 0) == 0;
}

StoredLayout::Header StoredLayout::ReadHeader(const std::string& line, const char* expected) const
{
    const size_t space = line.find(' ');
    const size_t colon = line.find(':');
    if (colon == std::string::npos) Fail(expected, line);
    return {line.rfind("inherited ", 0) == 0, Trim(line.substr(space, colon - space)), Trim(line.substr(colon + 1))};
}

const TClassInfo& StoredLayout::ClassNamed(const std::string& name) const
{
    const TClassInfo* cls = TClassInfo::Find(name);
    if (!cls) Fail("unknown class", name);
    return *cls;
}

void StoredLayout::Read()
{
    RegisterStandardClasses();
    // A class registers itself on first use: ask the root for its class before the first
    // line names it.
    const TClassInfo& rootClass = m_root.ClassType();
    std::string line;
    if (!NextLine(line)) Fail("empty layout", m_fileName);
    if (!OpensObject(line)) Fail("expected 'object Name: TClass'", line);
    const Header header = ReadHeader(line, "expected 'object Name: TClass'");
    const TClassInfo& cls = ClassNamed(header.className);
    if (!rootClass.InheritsFrom(cls)) Fail("layout is not for this window class", header.className);
    m_root.SetName(header.name);
    ReadObject(&m_root, cls);
    if (NextLine(line)) Fail("text after the end of the layout", line);

    for (Fixup& fixup : m_fixups) {
        m_line = fixup.line;
        TComponent* found = SameText(fixup.name, m_root.Name().c_str()) ? &m_root : m_root.FindComponent(fixup.name);
        if (!found) Fail("unknown component", fixup.name);
        fixup.apply(found);
    }
    m_fixups.clear();
}

void StoredLayout::ReadObject(TComponent* component, const TClassInfo& cls)
{
    const int opened = m_line;
    std::string line;
    while (NextLine(line)) {
        if (line == "end") return;
        if (!OpensObject(line)) {
            ReadProperty(*component, cls, line);
            continue;
        }
        const Header header = ReadHeader(line, "expected 'Name: TClass'");
        const std::string& name = header.name;
        const std::string& className = header.className;
        if (!IsIdentifier(name)) Fail("invalid component name", name);
        const TClassInfo* childCls = &ClassNamed(className);
        TComponent* child = nullptr;
        if (!header.inherited) {
            if (m_root.FindComponent(name)) Fail("duplicate component name", name);
            if (!childCls->CanCreate()) Fail("class cannot be created by a layout", className);
            child = childCls->Create(&m_root);
            child->SetName(name);
            component->AddChildComponent(child);
        } else {
            child = m_root.FindComponent(name);
            if (!child) Fail("unknown component", name);
            if (!child->ClassType().InheritsFrom(*childCls)) Fail("component has another class", className);
        }
        ReadObject(child, *childCls);
    }
    // Named with the line that opened it: the end of the text may lie past its last line.
    m_line = opened;
    Fail("missing 'end' of object", component->Name());
}

void StoredLayout::ReadProperty(TComponent& component, const TClassInfo& cls, const std::string& line)
{
    const size_t eq = line.find('=');
    if (eq == std::string::npos) Fail("expected 'Property = value'", line);
    const std::string name = Trim(line.substr(0, eq));
    const std::string valueText = Trim(line.substr(eq + 1));
    if (!IsIdentifier(name)) Fail("invalid property name", name);
    const PropertySetter* setter = cls.FindProperty(name);
    if (!setter) Fail("unknown property", name);
    LayoutValue value = ParseValue(valueText);
    try {
        (*setter)(component, value, *this);
    } catch (const ELayoutError&) {
        throw;
    } catch (const std::exception& e) {
        Fail(std::string("invalid value (") + e.what() + ")", valueText);
    }
}

LayoutValue StoredLayout::ParseValue(const std::string& text)
{
    LayoutValue v;
    if (text.empty()) Fail("missing value", text);
    const char first = text[0];
    if (first == '[') {
        if (text.back() != ']') Fail("unclosed set", text);
        v.kind = LayoutValue::Kind::Set;
        std::string inner = text.substr(1, text.size() - 2);
        size_t start = 0;
        while (start <= inner.size()) {
            size_t comma = inner.find(',', start);
            if (comma == std::string::npos) comma = inner.size();
            std::string item = Trim(inner.substr(start, comma - start));
            if (!item.empty()) {
                if (!IsIdentifier(item)) Fail("invalid set member", item);
                v.items.push_back(item);
            }
            start = comma + 1;
        }
    } else if (first == '@') {
        v.kind = LayoutValue::Kind::Resource;
        v.text = text.substr(1);
        if (!IsIdentifier(v.text)) Fail("invalid resource name", text);
    } else if (first == '\'' || first == '#') {
        v.kind = LayoutValue::Kind::String;
        size_t i = 0;
        while (i < text.size()) {
            if (text[i] == '\'') {
                ++i;
                for (;;) {
                    if (i >= text.size()) Fail("unclosed text", text);
                    if (text[i] == '\'') {
                        if (i + 1 < text.size() && text[i + 1] == '\'') {
                            v.text += '\'';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    v.text += text[i++];
                }
            } else if (text[i] == '#') {
                size_t j = ++i;
                while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
                if (j == i) Fail("invalid character code", text);
                const long code = std::strtol(text.substr(i, j - i).c_str(), nullptr, 10);
                if (code > 255) Fail("character code above 255", text);
                v.text += static_cast<char>(code);
                i = j;
            } else {
                Fail("invalid text", text);
            }
        }
    } else if (first == '-' || first == '$' || std::isdigit(static_cast<unsigned char>(first))) {
        v.kind = LayoutValue::Kind::Integer;
        const bool negative = first == '-';
        std::string digits = negative ? text.substr(1) : text;
        int base = 10;
        if (!digits.empty() && digits[0] == '$') {
            base = 16;
            digits.erase(0, 1);
        }
        char* end = nullptr;
        const long long magnitude = std::strtoll(digits.c_str(), &end, base);
        if (digits.empty() || *end != '\0') Fail("invalid number", text);
        v.integer = negative ? -magnitude : magnitude;
    } else {
        v.kind = LayoutValue::Kind::Identifier;
        v.text = text;
        if (!IsIdentifier(text)) Fail("invalid value", text);
    }
    return v;
}

int StoredLayout::AsInteger(const LayoutValue& v)
{
    if (v.kind != LayoutValue::Kind::Integer) Fail("expected a number", v.text);
    if (v.integer < -2147483648LL || v.integer > 4294967295LL) Fail("number out of range", std::to_string(v.integer));
    return static_cast<int>(static_cast<long>(v.integer));
}

bool StoredLayout::AsBoolean(const LayoutValue& v)
{
    if (v.kind == LayoutValue::Kind::Identifier && SameText(v.text, "True")) return true;
    if (v.kind == LayoutValue::Kind::Identifier && SameText(v.text, "False")) return false;
    Fail("expected True or False", v.text);
}

std::string StoredLayout::AsString(const LayoutValue& v)
{
    if (v.kind != LayoutValue::Kind::String) Fail("expected a text in quotes", v.text);
    return v.text;
}

int StoredLayout::AsColor(const LayoutValue& v)
{
    if (v.kind == LayoutValue::Kind::Integer) return AsInteger(v);
    return AsEnum(v, ColorNames());
}

int StoredLayout::AsEnum(const LayoutValue& v, const std::map<std::string, int, NoCaseLess>& names)
{
    if (v.kind != LayoutValue::Kind::Identifier) Fail("expected a name", v.text);
    auto it = names.find(v.text);
    if (it == names.end()) Fail("unknown value", v.text);
    return it->second;
}

unsigned StoredLayout::AsSet(const LayoutValue& v, const std::map<std::string, unsigned, NoCaseLess>& names)
{
    if (v.kind != LayoutValue::Kind::Set) Fail("expected a set in brackets", v.text);
    unsigned bits = 0;
    for (const std::string& item : v.items) {
        auto it = names.find(item);
        if (it == names.end()) Fail("unknown set member", item);
        bits |= it->second;
    }
    return bits;
}

std::string StoredLayout::AsResourceData(const LayoutValue& v)
{
    if (v.kind != LayoutValue::Kind::Resource) Fail("expected @RESOURCE", v.text);
    std::string data = ResourceData(v.text);
    if (data.empty()) Fail("unknown resource", v.text);
    return data;
}

void StoredLayout::Resolve(const LayoutValue& v, std::function<void(TComponent*)> apply)
{
    if (v.kind != LayoutValue::Kind::Identifier) Fail("expected a component name", v.text);
    if (SameText(v.text, "nil")) {
        apply(nullptr);
        return;
    }
    m_fixups.push_back({m_line, v.text, std::move(apply)});
}

const PublishedHandler* StoredLayout::Handler(const LayoutValue& v)
{
    if (v.kind != LayoutValue::Kind::Identifier) Fail("expected a handler name", v.text);
    const PublishedHandler* handler = m_root.ClassType().FindHandler(v.text);
    if (!handler) Fail("unknown handler", v.text);
    return handler;
}

} // namespace tk
