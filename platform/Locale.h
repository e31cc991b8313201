// platform/Locale.h
#pragma once
#include <string>

namespace zumek {

/// Switches the process to the user's locale and returns its name, then sets number formatting
/// back to "C": the data files use '.' decimals whatever the user's language.
std::string AdoptUserLocale();

/// True for any Spanish (Mexico) locale name ("es_MX", "es_MX.UTF-8", ...). A composite name
/// ("LC_CTYPE=...;...") is judged by its LC_CTYPE part.
bool IsSpanishMexicoLocale(const std::string& name);

} // namespace zumek
