// platform/Assert.cpp
#include "platform/Assert.h"

#include <cstdio>
#include <cstdlib>

namespace zumek {
namespace {

void DefaultHandler(const char* expression, const std::string& message, const char* file, int line) {
    std::fprintf(stderr, "tovalik: assertion failed: %s (%s) at %s:%d\n", expression, message.c_str(), file, line);
    std::fflush(stderr);
    std::abort();
}

AssertHandler& Handler() {
    static AssertHandler handler = DefaultHandler;
    return handler;
}

} // namespace

AssertHandler SetAssertHandler(AssertHandler handler) {
    AssertHandler previous = Handler();
    Handler() = handler ? std::move(handler) : AssertHandler(DefaultHandler);
    return previous;
}

void AssertFailed(const char* expression, const std::string& message, const char* file, int line) {
    Handler()(expression, message, file, line);
}

} // namespace zumek
