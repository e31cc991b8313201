// platform/MessageBox.h
#pragma once
#include <string>

namespace zumek {

/// Tells the person at the machine something went wrong: always one line on standard error,
/// and a modal box only while boxes are allowed (never on runs without a person at them).
void ShowMessageBox(const std::string& title, const std::string& text);

/// Allows or forbids modal boxes (forbidden for --frames, --replay and no-display runs).
void SetMessageBoxesAllowed(bool allowed);

} // namespace zumek
