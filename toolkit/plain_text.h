// The toolkit's rules that need no platform, so they are built and tested
// natively too: command-line tokens, the case-insensitive comparison and the
// Windows version code of version numbers. system.h asks the system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Token i of a command line (token 0 is the program name): blanks and pairs
// of double quotes before a token are skipped; a token ends at a blank
// outside double quotes; surrounding quotes are removed. Empty past the end.
std::string commandLineToken(std::string_view line, std::int32_t index);

// 0 when equal folding only a .. z to A .. Z, else the difference of the
// first differing folded characters.
std::int32_t compareTextNoCase(const char* a, const char* b);

// The version code of a platform id and version numbers.
std::uint8_t windowsVersionCode(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);
