#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// A 32-bit fingerprint of texts: two CRC-16/XMODEM accumulators (polynomial 0x1021, initial
// value 0, no final exclusive-or), the high half fed the 2nd, 4th ... byte of every text and
// the low half the 1st, 3rd ... byte. Used to tell whether the slot list changed.
class TCoder {
public:
    // The standard table of the polynomial 0x1021, most significant bit first.
    static const std::array<uint16_t, 256> CrcTable;

    // One step of the CRC-16 over one byte.
    static uint16_t Update(uint16_t crc, uint8_t byte)
    {
        return static_cast<uint16_t>(CrcTable[(crc >> 8) ^ byte] ^ ((crc & 0xFF) << 8));
    }

    // Feeds the bytes of the text (UTF-8) alternately to the low and the high accumulator.
    // Every call starts with the low one, so "a" + "bc" and "ab" + "c" differ.
    void AddText(std::string_view text);

    // High accumulator * 65536 + low accumulator; 0 for a new coder.
    uint32_t Code() const { return m_code; }

private:
    uint32_t m_code = 0;
};
