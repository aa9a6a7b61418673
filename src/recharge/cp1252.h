#pragma once

// The one place where record text (Windows-1252 bytes) meets Qt's Unicode
// strings. Bytes without a character in the code page map to U+FFFD on the
// way in; characters outside the code page become '?' on the way out.

#include <QString>
#include <string>

namespace pluvexa {

QString deCp1252(const std::string& bytes);
std::string paraCp1252(const QString& text);

}  // namespace pluvexa
