// printf-style formatting into a std::string, checked by the compiler like printf.
#pragma once

#include <string>

namespace qv {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace qv
