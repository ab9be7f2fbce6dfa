// Building messages for the patch server: u32 fields in network byte order,
// strings as a u32 length and the bytes without a terminator.  A message is
// built whole and sent with one write.
#pragma once

#include <arpa/inet.h>

#include <cstdint>
#include <string>

inline void AppendU32(std::string& message, std::uint32_t value) {
    std::uint32_t wire = htonl(value);
    message.append(reinterpret_cast<const char*>(&wire), sizeof wire);
}

inline void AppendString(std::string& message, const std::string& text) {
    AppendU32(message, static_cast<std::uint32_t>(text.size()));
    message += text;
}
