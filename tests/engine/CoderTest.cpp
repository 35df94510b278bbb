#include "engine/Coder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The CRC-16 of polynomial 0x1021 computed bit by bit, to check the table against.
uint16_t BitwiseEntry(int index)
{
    uint16_t crc = static_cast<uint16_t>(index << 8);
    for (int bit = 0; bit < 8; ++bit)
        crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    return crc;
}

uint16_t Crc(const std::string& text)
{
    uint16_t crc = 0;
    for (const char c : text)
        crc = TCoder::Update(crc, static_cast<uint8_t>(c));
    return crc;
}

} // namespace

TEST(Coder, TableIsTheXmodemTable)
{
    EXPECT_EQ(TCoder::CrcTable[0], 0x0000);
    EXPECT_EQ(TCoder::CrcTable[1], 0x1021);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(TCoder::CrcTable[i], BitwiseEntry(i)) << "entry " << i;
    EXPECT_EQ(Crc("123456789"), 0x31C3);
}

TEST(Coder, OddBytesFeedTheLowHalfAndEvenBytesTheHigh)
{
    TCoder coder;
    EXPECT_EQ(coder.Code(), 0u);
    coder.AddText("abc");
    EXPECT_EQ(coder.Code(), 0x4CE464DEu);
    EXPECT_EQ(coder.Code() & 0xFFFF, Crc("ac"));
    EXPECT_EQ(coder.Code() >> 16, Crc("b"));
    EXPECT_EQ(static_cast<int32_t>(coder.Code()), 1290036446);

    TCoder empty;
    empty.AddText("");
    EXPECT_EQ(empty.Code(), 0u);
}

TEST(Coder, EveryTextStartsWithTheLowHalf)
{
    TCoder split1;
    split1.AddText("a");
    split1.AddText("bc");
    TCoder split2;
    split2.AddText("ab");
    split2.AddText("c");
    EXPECT_NE(split1.Code(), split2.Code());
    // "a" then "bc": L gets "a", "b"; H gets "c".
    EXPECT_EQ(split1.Code(), (static_cast<uint32_t>(Crc("c")) << 16) | Crc("ab"));
}
