// Reading integer, real and free-text fields.
#include <gtest/gtest.h>

#include <limits>

#include "playback/FieldReader.h"

namespace qln {
namespace {

struct IntCase {
    const char* field;
    long value;
    bool clean;
};

TEST(IntegerFields, ValuesAndCleanliness) {
    const IntCase cases[] = {
        {"0050", 50, true},  {" 12", 12, true},   {"+7", 7, true},      {"-010", -10, true},  {"$1F", 31, true},
        {"$ff", 255, true},  {"-$10", -16, true}, {"-12x", 12, false},  {"12 ", 12, false},   {"", 0, false},
        {"x", 0, false},     {"$", 0, false},     {"-", 0, false},      {"  ", 0, false},     {"0x10", 0, false},
        {"1-2", 1, false},   {"$1G", 1, false},   {"0000", 0, true},    {"9999", 9999, true}, {"-0001", -1, true},
        {"99999999999999999999999", std::numeric_limits<long>::max() / 16 - 16, true},
    };
    for (const IntCase& c : cases) {
        const IntField f = readIntField(c.field);
        EXPECT_EQ(f.value, c.value) << '"' << c.field << '"';
        EXPECT_EQ(f.clean, c.clean) << '"' << c.field << '"';
    }
}

struct RealCase {
    const char* field;
    double value;
    bool clean;
};

TEST(RealFields, ValuesAndCleanliness) {
    const RealCase cases[] = {
        {"00.50", 0.5, true},  {"01.25", 1.25, true}, {"00001", 1, true},   {"001.5", 1.5, true},
        {"1.5>", 1.5, false},  {"-2", -2, true},      {"+3.", 3, true},     {".5", 0.5, true},
        {"1E2", 100, true},    {"1e-1", 0.1, true},   {" 2.5", 2.5, true},  {"2.5 ", 2.5, false},
        {"-1.5x", 1.5, false}, {"", 0, false},        {"abc", 0, false},    {"1E", 1, false},
        {"9E999", std::numeric_limits<double>::max(), true},
    };
    for (const RealCase& c : cases) {
        const RealField f = readRealField(c.field);
        EXPECT_DOUBLE_EQ(f.value, c.value) << '"' << c.field << '"';
        EXPECT_EQ(f.clean, c.clean) << '"' << c.field << '"';
    }
}

TEST(FreeTextFields, RunToTheNextCloseAndKeep255) {
    const std::string text = "<X:abc>rest";
    FreeText f = readFreeText(text, 3);
    EXPECT_EQ(f.value, "abc");
    EXPECT_EQ(f.end, 7u);
    f = readFreeText("<X:abc", 3);
    EXPECT_EQ(f.value, "abc");
    EXPECT_EQ(f.end, 6u);
    const std::string longText = "<X:" + std::string(300, 'q') + ">z";
    f = readFreeText(longText, 3);
    EXPECT_EQ(f.value.size(), 255u);
    EXPECT_EQ(f.end, 304u);
    f = readFreeText("<X:", 10);
    EXPECT_EQ(f.value, "");
    EXPECT_EQ(f.end, 3u);
}

}  // namespace
}  // namespace qln
