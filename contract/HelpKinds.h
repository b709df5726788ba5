#pragma once
// The kinds of text a tip asks the help-text library for (GetHelpText in
// helptext/GetHelpText.h), with its tip number.
namespace HelpKind {

inline constexpr int kGerman = 2;      // the help text in German
inline constexpr int kEnglish = 4;     // the help text in English
inline constexpr int kRegistryKey = 5; // the tip's key, as the registry editor's LastKey value takes it

} // namespace HelpKind
