#include "message_line.h"

#include <cstddef>

namespace kelvora::render {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at text[at], or 0 when it
// is broken; `consumed` is then how many bytes one U+FFFD stands for.
std::size_t sequenceLength(const std::string& text, std::size_t at, std::size_t& consumed)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    consumed = 1;
    if (length == 0)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size() || byte(at + i) < low || byte(at + i) > high)
            return 0;
        consumed = i + 1;
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

}  // namespace

std::string MessageLine(const std::string& message)
{
    static const char hex[] = "0123456789abcdef";
    std::string line;
    for (std::size_t at = 0; at < message.size();) {
        const auto byte = static_cast<unsigned char>(message[at]);
        if (byte < 0x20 || byte == 0x7f) {
            line += "\\x";
            line += hex[byte >> 4];
            line += hex[byte & 0xf];
            ++at;
        } else if (byte < 0x80) {
            line += message[at++];
        } else {
            std::size_t consumed = 0;
            const std::size_t length = sequenceLength(message, at, consumed);
            line += length > 0 ? message.substr(at, length) : kReplacement;
            at += length > 0 ? length : consumed;
        }
    }
    return line;
}

}  // namespace kelvora::render
