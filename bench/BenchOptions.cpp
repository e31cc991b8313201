// bench/BenchOptions.cpp
#include "bench/BenchOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zumek::bench {
namespace {

bool ParseLong(const char* text, long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtol(text, &end, 10);
    return errno == 0 && *end == '\0';
}

} // namespace

BenchOptions::BenchOptions(const char* command, int argc, char** argv) : m_command(command) {
    for (int i = 0; i < argc; i += 2) m_options.push_back({argv[i], i + 1 < argc ? argv[i + 1] : nullptr});
}

std::vector<const BenchOptions::Option*> BenchOptions::Find(const char* key) {
    std::vector<const Option*> found;
    for (Option& option : m_options) {
        if (option.key != key) continue;
        option.known = true;
        if (!option.value) Bad(option, "it needs a value");
        else found.push_back(&option);
    }
    return found;
}

void BenchOptions::Bad(const Option& option, const std::string& why) {
    if (!m_problem.empty()) return;
    m_problem = m_command + ": bad option " + option.key + (option.value ? std::string(" ") + option.value : "") + " (" +
                why + ")";
}

namespace {
std::string WholeNumberIn(long minimum, long maximum) {
    std::string text = "a whole number";
    if (minimum != LONG_MIN) text += " of at least " + std::to_string(minimum);
    if (maximum != LONG_MAX) text += (minimum != LONG_MIN ? " and at most " : " of at most ") + std::to_string(maximum);
    return text;
}
} // namespace

BenchOptions& BenchOptions::Number(const char* key, long& value, long minimum, long maximum) {
    for (const Option* option : Find(key)) {
        long number = 0;
        if (ParseLong(option->value, number) && number >= minimum && number <= maximum) value = number;
        else Bad(*option, WholeNumberIn(minimum, maximum));
    }
    return *this;
}

BenchOptions& BenchOptions::Number(const char* key, int& value, int minimum) {
    long number = value;
    Number(key, number, minimum, INT_MAX);
    value = static_cast<int>(number);
    return *this;
}

BenchOptions& BenchOptions::Number(const char* key, unsigned& value) {
    long number = value;
    Number(key, number, 0, UINT_MAX);
    value = static_cast<unsigned>(number);
    return *this;
}

BenchOptions& BenchOptions::Text(const char* key, std::string& value) {
    for (const Option* option : Find(key)) value = option->value;
    return *this;
}

BenchOptions& BenchOptions::Size(const char* key, int& width, int& height) {
    for (const Option* option : Find(key)) {
        int w = 0, h = 0;
        char rest = 0;
        if (std::sscanf(option->value, "%dx%d%c", &w, &h, &rest) == 2 && w > 0 && h > 0) width = w, height = h;
        else Bad(*option, "WIDTHxHEIGHT");
    }
    return *this;
}

BenchOptions& BenchOptions::Texts(const char* key, std::vector<std::string>& values) {
    for (const Option* option : Find(key)) values.push_back(option->value);
    return *this;
}

BenchOptions& BenchOptions::Numbers(const char* key, std::vector<int>& values, int minimum) {
    for (const Option* option : Find(key)) {
        long number = 0;
        if (ParseLong(option->value, number) && number >= minimum && number <= INT_MAX) values.push_back(static_cast<int>(number));
        else Bad(*option, WholeNumberIn(minimum, INT_MAX));
    }
    return *this;
}

bool BenchOptions::Ok() const {
    std::string problem = m_problem;
    for (const Option& option : m_options)
        if (problem.empty() && !option.known) problem = m_command + ": unknown option " + option.key;
    if (problem.empty()) return true;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return false;
}

} // namespace zumek::bench
