// platform/Locale.cpp
#include "platform/Locale.h"

#include <clocale>

namespace zumek {

std::string AdoptUserLocale() {
    const char* name = std::setlocale(LC_ALL, "");
    std::string result = name ? name : "";
    std::setlocale(LC_NUMERIC, "C");
    return result;
}

bool IsSpanishMexicoLocale(const std::string& name) {
    std::string ctype = name;
    if (auto pos = name.find("LC_CTYPE="); pos != std::string::npos) {
        ctype = name.substr(pos + 9);
        ctype = ctype.substr(0, ctype.find(';'));
    }
    return ctype.rfind("es_MX", 0) == 0;
}

} // namespace zumek
