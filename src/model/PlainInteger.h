#pragma once
// Plain integer conversion of dialog texts: optional blanks and sign, then the leading
// digits; anything else gives 0. The value saturates at the 32-bit range.

#include <cstdint>
#include <string>

std::int32_t PlainInteger(const std::string& text);
