// Tag parameters as the writers produce them, and the damaged fields a hand-edited macro can hold.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include "playback/FieldReader.h"

namespace qln {
namespace {

struct IntCase {
    std::string_view field;
    long value;
    bool clean;
};

const IntCase kIntCases[] = {
    {"0050", 50, true}, {" 12", 12, true},   {"   7", 7, true},     {"+7", 7, true},    {"-010", -10, true},
    {"$1F", 31, true},  {"$1f", 31, true},   {"-$10", -16, true},   {"+$0A", 10, true}, {"0000", 0, true},
    {"-0", 0, true},    {"-12x", 12, false}, {"12 ", 12, false},    {"", 0, false},     {"x", 0, false},
    {"$", 0, false},    {"+", 0, false},     {"-", 0, false},       {"  ", 0, false},   {"$G1", 0, false},
    {"1$", 1, false},   {"12>", 12, false},  {"0x1F", 0, false},    {"- 5", 0, false},  {"$1FG", 31, false},
    {"1 2", 1, false},  {"\t5", 0, false},   {"-$FFx", 255, false}, {"0,05", 0, false},
};

TEST(FieldReader, IntegerFields) {
    for (const IntCase& c : kIntCases) {
        const IntField f = readIntField(c.field);
        EXPECT_EQ(f.value, c.value) << '"' << c.field << '"';
        EXPECT_EQ(f.clean, c.clean) << '"' << c.field << '"';
    }
}

TEST(FieldReader, IntegerOverflowSaturates) {
    const std::string max = std::to_string(LONG_MAX);
    std::string next = max;
    next.back() = static_cast<char>(next.back() + 1);  // LONG_MAX ends in 7, so one more is still one digit
    const struct {
        std::string field;
        long value;
        bool clean;
    } cases[] = {
        {max, LONG_MAX, true},
        {"-" + max, -LONG_MAX, true},
        {next, LONG_MAX, false},
        {"-" + next, LONG_MAX, false},
        {std::string(400, '9'), LONG_MAX, false},
        {std::string(400, '9') + "x", LONG_MAX, false},
        {"$" + std::string(sizeof(long) * 2, 'F'), LONG_MAX, false},
        {"$7" + std::string(sizeof(long) * 2 - 1, 'F'), LONG_MAX, true},
        {"$1" + std::string(sizeof(long) * 2, '0'), LONG_MAX, false},
    };
    for (const auto& c : cases) {
        const IntField f = readIntField(c.field);
        EXPECT_EQ(f.value, c.value) << c.field;
        EXPECT_EQ(f.clean, c.clean) << c.field;
    }
}

struct RealCase {
    std::string_view field;
    double value;
    bool clean;
};

const RealCase kRealCases[] = {
    {"00.50", 0.5, true},   {"01.25", 1.25, true},   {"00001", 1.0, true},  {"001.5", 1.5, true}, {"1.5", 1.5, true},
    {"-2", -2.0, true},     {"+3.", 3.0, true},      {".5", 0.5, true},     {"1E2", 100.0, true}, {"1e2", 100.0, true},
    {"2.5E-1", 0.25, true}, {"1E+03", 1000.0, true}, {"  0.1", 0.1, true},  {"00000", 0.0, true}, {"-0.00", 0.0, true},
    {"10.00", 10.0, true},  {"1.5>", 1.5, false},    {"-1.5x", 1.5, false}, {"1.5 ", 1.5, false}, {"", 0.0, false},
    {".", 0.0, false},      {"-.", 0.0, false},      {"x1", 0.0, false},    {"1E", 1.0, false},   {"2E+", 2.0, false},
    {"3e-x", 3.0, false},   {"1..5", 1.0, false},    {"1,5", 1.0, false},   {"$10", 0.0, false},  {"inf", 0.0, false},
    {"nan", 0.0, false},    {"-inf", 0.0, false},    {"0x10", 0.0, false},  {"+-1", 0.0, false},  {"1.5.", 1.5, false},
    {"E2", 0.0, false},
};

TEST(FieldReader, RealFields) {
    for (const RealCase& c : kRealCases) {
        const RealField f = readRealField(c.field);
        EXPECT_EQ(f.value, c.value) << '"' << c.field << '"';
        EXPECT_FALSE(std::signbit(f.value) && f.value == 0.0) << '"' << c.field << '"';
        EXPECT_EQ(f.clean, c.clean) << '"' << c.field << '"';
    }
}

TEST(FieldReader, RealOutOfRangeStaysFinite) {
    const struct {
        std::string field;
        double value;
        bool clean;
    } cases[] = {
        {"1E999", DBL_MAX, false},
        {"-1E999", DBL_MAX, false},
        {"0.5E400", DBL_MAX, false},
        {"1" + std::string(400, '0'), DBL_MAX, false},
        {"1" + std::string(400, '0') + "E-1", DBL_MAX, false},
        {"1E99999999999999999999999", DBL_MAX, false},
        {"1E-999", 0.0, true},
        {"1" + std::string(400, '0') + "E-900", 0.0, true},
        {"0." + std::string(400, '0') + "1", 0.0, true},
        {"1E-99999999999999999999999", 0.0, true},
        {"0E99999", 0.0, true},
        {"1E999x", DBL_MAX, false},
    };
    for (const auto& c : cases) {
        const RealField f = readRealField(c.field);
        EXPECT_TRUE(std::isfinite(f.value)) << c.field;
        EXPECT_EQ(f.value, c.value) << c.field;
        EXPECT_EQ(f.clean, c.clean) << c.field;
    }
}

TEST(FieldReader, FreeText) {
    const std::string longTitle(300, 'T');
    const std::string withLong = "<WMAX:" + longTitle + ">next";
    const std::string_view cut = std::string_view(longTitle).substr(0, 255);
    const struct {
        std::string_view text;
        std::size_t start;
        std::string_view value;
        std::size_t end;
        std::string_view whole;
    } cases[] = {
        {"<WMAX:Notepad>rest", 6, "Notepad", 14, "Notepad"},
        {"<WMAX:Notepad", 6, "Notepad", 13, "Notepad"},
        {"<WMAX:>x", 6, "", 7, ""},
        {"<WMAX:", 6, "", 6, ""},
        {"<REM:a<b>c>", 5, "a<b", 9, "a<b"},
        {"<WMAX:a>b>", 6, "a", 8, "a"},
        {"ab", 5, "", 2, ""},
        {withLong, 6, cut, 6 + 300 + 1, longTitle},
        {std::string_view(withLong).substr(0, 6 + 300), 6, cut, 306, longTitle},
        {std::string_view(withLong).substr(0, 6 + 255), 6, cut, 261, cut},
    };
    for (const auto& c : cases) {
        const FreeText f = readFreeText(c.text, c.start);
        EXPECT_EQ(f.value, c.value) << c.text;
        EXPECT_EQ(f.end, c.end) << c.text;
        EXPECT_EQ(f.whole, c.whole) << c.text;
    }
}

}  // namespace
}  // namespace qln
