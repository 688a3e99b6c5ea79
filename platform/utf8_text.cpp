#include "platform/utf8_text.h"

#include <algorithm>

#include "platform/run_time_error.h"

namespace quorvane {

namespace {

// The code point starting at `at`, which moves past it; nothing when the
// bytes there are not the shortest UTF-8 form of a scalar value.
std::optional<char32_t> NextCodePoint(const unsigned char*& at, const unsigned char* end)
{
    const unsigned char lead = *at;
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (end - at < length) {
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        if ((at[i] & 0xC0u) != 0x80u) {
            return std::nullopt;
        }
        value = (value << 6) | (at[i] & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    at += length;
    return value;
}

}  // namespace

std::optional<Text> TryDecodeUtf8(std::string_view bytes, size_t keep)
{
    // A line may be megabytes long: every byte is checked, but only the
    // characters kept are stored.
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = at + bytes.size();
    Text text;
    text.reserve(std::min(bytes.size(), keep));
    while (at != end) {
        const auto character = NextCodePoint(at, end);
        if (!character) {
            return std::nullopt;
        }
        if (text.size() < keep) {
            text.push_back(*character);
        }
    }
    return text;
}

Text DecodeUtf8(std::string_view bytes, const std::string& where, size_t keep)
{
    auto text = TryDecodeUtf8(bytes, keep);
    if (!text) {
        throw RunTimeError(kInvalidCall, where + " is not valid UTF-8 text");
    }
    return std::move(*text);
}

}  // namespace quorvane
