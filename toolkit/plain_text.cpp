#include "toolkit/plain_text.h"

namespace {

constexpr unsigned char blank = 32;

bool isBlank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= blank;
}

unsigned char foldCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

} // namespace

std::string commandLineToken(std::string_view line, std::int32_t index) {
    std::size_t position = 0;
    const std::size_t size = line.size();
    for (std::int32_t token = 0;; ++token) {
        while (position < size) {
            if (isBlank(line[position]))
                ++position;
            else if (line[position] == '"' && position + 1 < size && line[position + 1] == '"')
                position += 2;
            else
                break;
        }
        if (position >= size || line[position] == '\0')
            return {};
        const std::size_t start = position;
        bool quoted = false;
        while (position < size && line[position] != '\0') {
            const char c = line[position];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && static_cast<unsigned char>(c) <= blank)
                break;
            ++position;
        }
        if (token == index) {
            std::string_view text = line.substr(start, position - start);
            if (text.size() > 1 && text.front() == '"' && text.back() == '"')
                text = text.substr(1, text.size() - 2);
            return std::string(text);
        }
    }
}

std::int32_t compareTextNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char left = foldCase(*a);
        const unsigned char right = foldCase(*b);
        if (left != right)
            return static_cast<std::int32_t>(left) - static_cast<std::int32_t>(right);
        if (left == 0)
            return 0;
    }
}

std::uint8_t windowsVersionCode(std::uint32_t platformId, std::uint32_t major,
                                std::uint32_t minor) {
    constexpr std::uint32_t platformNt = 2;
    constexpr std::uint32_t platform9x = 1;
    if (platformId == platformNt) {
        if (major >= 6)
            return 6;
        if (major == 5)
            return minor >= 1 ? 5 : 4;
        return 3;
    }
    if (platformId == platform9x)
        return (major > 4 || (major == 4 && minor >= 10)) ? 2 : 1;
    return 0;
}
