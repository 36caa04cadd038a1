// The boundary between the program's code page 936 texts and Qt's UTF-16 strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// A code page 936 text as UTF-16 (a byte sequence that is no character becomes U+FFFD).
QString FromAnsi(std::string_view text);

// A UTF-16 text in code page 936 (a character the code page cannot hold becomes '?').
std::string ToAnsi(const QString& text);
