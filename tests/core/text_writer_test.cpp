// The output writers print exactly what the C formats of the outputs print.
#include "text/text_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "decode/listing_lines.h"

namespace zemra {
namespace {

// printf's output, each "\n" written as CR LF, as the outputs' text mode writes it.
template <class... Arguments>
std::string printed(const char* format, Arguments... arguments) {
    const int size = std::snprintf(nullptr, 0, format, arguments...);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, arguments...);
    text.pop_back();
    std::string lines;
    for (const char byte : text) {
        if (byte == '\n') {
            lines += '\r';
        }
        lines += byte;
    }
    return lines;
}

template <class Write>
std::string written(Write write) {
    MemorySink sink;
    TextWriter writer(sink);
    write(writer);
    writer.flush();
    return sink.text();
}

TEST(TextWriter, NumbersMatchPrintf) {
    std::mt19937_64 random(5);
    std::vector<std::int64_t> values{0,
                                     7,
                                     -7,
                                     1234,
                                     -1234,
                                     99999,
                                     -128,
                                     std::numeric_limits<std::int64_t>::min(),
                                     std::numeric_limits<std::int64_t>::max()};
    for (int index = 0; index < 2000; ++index) {
        values.push_back(static_cast<std::int64_t>(random()) >> (random() % 64));
    }
    for (const std::int64_t value : values) {
        for (const int width : {0, 1, 2, 3, 4}) {
            EXPECT_EQ(written([&](TextWriter& out) {
                          out.number(value, static_cast<std::size_t>(width));
                      }),
                      printed("%*lld", width, static_cast<long long>(value)))
                << value << " " << width;
        }
    }
}

// Listing values are 32-bit floats widened to double: scaled raw numbers, their ties at the third
// decimal, huge and negative values.
TEST(TextWriter, FixedPointMatchesPrintfAtEveryRoundingBoundary) {
    std::mt19937 random(11);
    std::vector<float> values{0.0F,   -0.0F,  0.125F, 0.375F,   2.5F,      -0.125F, 0.005F, 0.015F,
                              1.005F, 2.675F, 0.7F,   32767.0F, -32768.0F, 3.3e13F, 1e-9F};
    constexpr double kFactors[] = {0.001, 0.01, 0.1, 1.0, 1e-9, 1e-6, 1000.0, 1e6, 1e9};
    for (int index = 0; index < 20000; ++index) {
        const auto raw =
            static_cast<float>(std::uniform_int_distribution<int>(-32768, 32767)(random));
        const double factor = kFactors[static_cast<std::size_t>(index) % std::size(kFactors)];
        values.push_back(static_cast<float>(static_cast<double>(raw) * factor));
        // Every multiple of 1/8 below 1000 lies exactly on a tie or a boundary.
        values.push_back(static_cast<float>(index % 8000) / 8.0F);
        // Any float at all, of every magnitude.
        const auto bits = static_cast<std::uint32_t>(random());
        const auto any = std::bit_cast<float>(bits);
        if (std::isfinite(any)) {
            values.push_back(any);
        }
    }
    for (const float value : values) {
        const auto widened = static_cast<double>(value);
        EXPECT_EQ(written([&](TextWriter& out) { out.fixed2(widened, 7); }),
                  printed("%7.2f", widened))
            << widened;
    }
}

TEST(TextWriter, TextIsPaddedByItsBytesAndLineFeedsBecomeCrLf) {
    EXPECT_EQ(written([](TextWriter& out) { out.text("R\n1", 5, Align::Left); }), "R\r\n1  ");
    EXPECT_EQ(written([](TextWriter& out) { out.text("U1", 5); }), "   U1");
    EXPECT_EQ(written([](TextWriter& out) { out.text("\xC2\xA0x", 3); }), "\xC2\xA0x");
    EXPECT_EQ(written([](TextWriter& out) { out.text("TOOLONG", 3); }), "TOOLONG");
    // A text longer than a block goes out whole, across blocks.
    std::string title(700000, 'x');
    title[350000] = '\n';
    const std::string out = written([&](TextWriter& writer) { writer.text(title, 700010); });
    EXPECT_EQ(out.size(), 700011U);
    EXPECT_EQ(out.substr(10 + 350000, 3), "\r\nx");
}

TEST(TextWriter, StepLinesMatchTheirFormatsForAnyFields) {
    std::mt19937 random(3);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    static const char* const kUnits[] = {"", "V ", "K ", "PF", "  "};
    static const char* const kTypes[] = {"Not", "R", "DC", "J"};
    for (int index = 0; index < 3000; ++index) {
        StepFields fields;
        fields.step = pick(-5, 100000);
        std::string name;
        for (int length = pick(0, 13); length > 0; --length) {
            name += static_cast<char>(pick(1, 255));
        }
        // A LF byte would be written as CR LF by both; keep the comparison one of formats.
        std::replace(name.begin(), name.end(), '\n', 'n');
        fields.partsN.assign(name);
        fields.actualV = static_cast<float>(pick(-32768, 32767)) * 0.01F;
        fields.standV = static_cast<float>(pick(-32768, 32767)) * 1000.0F;
        fields.unit = kUnits[pick(0, 4)];
        fields.lc.assign(pick(0, 1) == 0 ? "A1" : "Z");
        fields.hiP = pick(0, 4095);
        fields.loP = pick(0, 4095);
        for (int& guard : fields.guardPins) {
            guard = pick(0, 4095);
        }
        fields.skip = pick(0, 1) == 1;
        fields.type = kTypes[pick(0, 3)];
        fields.upperLimit = pick(-128, 99);
        fields.lowerLimit = pick(-1, 128);
        fields.dly = pick(-1280, 1270);
        fields.mode = pick(0, 5);
        const std::string common = name;
        for (const TesterVariant variant : {TesterVariant::Kx740FeFr, TesterVariant::Kx740e}) {
            const std::string unit(fields.unit);
            const std::string type(fields.type);
            const std::string line1 = printed(
                variant == TesterVariant::Kx740e ? kStepLine1Kx740e : kStepLine1FeFr,
                static_cast<int>(fields.step), common.c_str(), static_cast<double>(fields.actualV),
                unit.c_str(), std::string(fields.lc.view()).c_str(), fields.hiP, fields.loP,
                fields.guardPins[0], fields.guardPins[1], fields.guardPins[2], fields.guardPins[3],
                fields.guardPins[4], fields.skip ? 1 : 0, type.c_str());
            const std::string line2 =
                printed(kStepLine2, static_cast<double>(fields.standV), unit.c_str(),
                        fields.upperLimit, fields.lowerLimit, fields.dly, fields.mode);
            EXPECT_EQ(written([&](TextWriter& out) { writeStepLines(fields, variant, out); }),
                      line1 + line2)
                << index;
        }
    }
}

TEST(TextWriter, SkippedStepLinesMatchTheirFormats) {
    EXPECT_EQ(written([](TextWriter& out) { writeSkippedStepLines(12345, out); }),
              printed(kStepLine1Kx740e, 12345, "*", 0.0, "  ", "  ", 0, 0, 0, 0, 0, 0, 0, 1) +
                  printed(kSkippedStepLine2, 0.0, "  ", 0, 0, 0, 0, 0));
}

}  // namespace
}  // namespace zemra
