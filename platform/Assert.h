// platform/Assert.h
#pragma once
#include <functional>
#include <string>

namespace zumek {

/// Called when an assertion fails, with the expression text, a message, the file and the line.
/// The default prints one line to standard error and aborts; tests install their own.
using AssertHandler = std::function<void(const char* expression, const std::string& message,
                                         const char* file, int line)>;

/// Installs `handler` and returns the previous one.
AssertHandler SetAssertHandler(AssertHandler handler);

/// Reports a failed assertion through the installed handler.
void AssertFailed(const char* expression, const std::string& message, const char* file, int line);

} // namespace zumek

/// Programming errors: on in every build type. A safe path may follow where it is cheap.
#define ASSERT(cond, message)                                                   \
    do {                                                                        \
        if (!(cond)) ::zumek::AssertFailed(#cond, (message), __FILE__, __LINE__); \
    } while (false)
