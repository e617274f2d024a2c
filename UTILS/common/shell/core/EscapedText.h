// The escaping of the texts the script front end echoes and reads:
// a backslash is written \\, a line feed \n, a carriage return \r and any
// other control byte \xHH.
#ifndef UTILS_COMMON_SHELL_CORE_ESCAPED_TEXT_H
#define UTILS_COMMON_SHELL_CORE_ESCAPED_TEXT_H

#include <string>

std::string EscapeText(const char* text);
// Decodes an escaped text; false on a malformed escape.
bool UnescapeText(const std::string& text, std::string& out);

#endif
