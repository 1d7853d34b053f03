#include "decode/component_record.h"

#include <gtest/gtest.h>

#include "record_builder.h"

namespace zemra {
namespace {

ComponentRecord decode(const RecordBuilder& builder) {
    return decodeRecord(builder.bytes());
}

TEST(ComponentRecord, ValuesAreSignedLittleEndian) {
    RecordBuilder record;
    record.byteAt(6, 0xFF).byteAt(7, 0xFF).byteAt(3, 0x00).byteAt(4, 0x80);
    const ComponentRecord decoded = decode(record);
    EXPECT_EQ(decoded.actualValue, -1);
    EXPECT_EQ(decoded.standardValue, -32768);
    EXPECT_EQ(decode(RecordBuilder().actual(4700, 0x14)).actualValue, 4700);
}

TEST(ComponentRecord, PinsTakeTheirHighBitsFromSharedNibbles) {
    RecordBuilder record;
    record.byteAt(25, 0x10).byteAt(26, 0x20).byteAt(27, 0xA3);
    record.byteAt(28, 1).byteAt(29, 2).byteAt(30, 3).byteAt(31, 4).byteAt(32, 5);
    record.byteAt(38, 0x21).byteAt(39, 0x43).byteAt(40, 0xF5);
    const ComponentRecord decoded = decode(record);
    EXPECT_EQ(decoded.loPin, 0x310);
    EXPECT_EQ(decoded.hiPin, 0xA20);
    EXPECT_EQ(decoded.guardPins, (std::array<int, 5>{0x101, 0x202, 0x303, 0x404, 0x505}));
}

TEST(ComponentRecord, LimitsDelayAndCodesAreSignedBytes) {
    RecordBuilder record;
    record.byteAt(12, 0xF6).byteAt(13, 0x7F).byteAt(15, 0x80).byteAt(19, 0xFF).byteAt(21, 0xFF);
    record.byteAt(18, 0x7F);
    const ComponentRecord decoded = decode(record);
    EXPECT_EQ(decoded.upperLimit, -10);
    EXPECT_EQ(decoded.lowerLimit, 128);
    EXPECT_EQ(decoded.typeCode, static_cast<TypeCode>(-1));
    EXPECT_EQ(decoded.delay, -1);
    EXPECT_FALSE(decoded.skip);
    EXPECT_TRUE(decode(RecordBuilder().skip()).skip);
}

TEST(ComponentRecord, TextsEndAtZeroOrAtTheirField) {
    RecordBuilder full;
    full.name("ABCDEFGHIJ").lc("XY");
    EXPECT_EQ(decode(full).partName.view(), "ABCDEFGHIJ");
    EXPECT_EQ(decode(full).lc.view(), "XY");

    RecordBuilder shortLc;
    shortLc.name("R1").byteAt(55, 'Z').lc("B");
    EXPECT_EQ(decode(shortLc).partName.view(), "R1");
    EXPECT_EQ(decode(shortLc).lc.view(), "B");
}

}  // namespace
}  // namespace zemra
