// bench/BenchOptions.h
#pragma once
#include <climits>
#include <string>
#include <vector>

namespace zumek::bench {

/// The "--key value" options of a sub-command. Each getter looks its key up (the last value
/// given wins) and leaves the variable as it is when the key is absent; Ok() then says whether
/// every option was known, had a value and was well formed, and prints the first that was not:
/// "<command>: bad option --frames 3 (a whole number of at least 31)".
class BenchOptions {
public:
    BenchOptions(const char* command, int argc, char** argv);

    /// A whole number of at least `minimum` that the variable can hold (at most `maximum`).
    BenchOptions& Number(const char* key, int& value, int minimum = INT_MIN);
    BenchOptions& Number(const char* key, long& value, long minimum = LONG_MIN, long maximum = LONG_MAX);
    BenchOptions& Number(const char* key, unsigned& value);
    BenchOptions& Text(const char* key, std::string& value);
    /// "WIDTHxHEIGHT", both above 0.
    BenchOptions& Size(const char* key, int& width, int& height);
    /// Every value of a key that may be given more than once, in order.
    BenchOptions& Texts(const char* key, std::vector<std::string>& values);
    BenchOptions& Numbers(const char* key, std::vector<int>& values, int minimum = INT_MIN);

    bool Ok() const;

private:
    struct Option {
        std::string key;
        const char* value; ///< null: the key came last, without a value
        bool known = false;
    };
    /// The options given under `key`, marked known.
    std::vector<const Option*> Find(const char* key);
    void Bad(const Option& option, const std::string& why);

    std::string m_command;
    std::vector<Option> m_options;
    std::string m_problem; ///< the first bad option, printed by Ok()
};

} // namespace zumek::bench
