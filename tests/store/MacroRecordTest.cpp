// The macro record's bytes: offsets, widths, integers and the date-time double.
#include <gtest/gtest.h>

#include <cstring>

#include "store/MacroRecord.h"
#include "store/PopupItems.h"

namespace qln {
namespace {

MacroRecord sample() {
    MacroRecord r;
    r.nickname = "Sign letters";
    r.windowName = "Untitled - Notepad";
    r.snipword = "";
    r.hotKeyCode = 0x0106;  // 262
    r.scope = ScopeWindow;
    r.active = 1;
    r.reserved = 0xBEEF;
    r.setText("Kind regards,\r\nAnn");
    r.iconName = "MAIN";
    r.schedule.kind = 3;
    r.schedule.days = {1, 0, 1, 0, 1, 0, 0};
    r.schedule.hour = 9;
    r.schedule.minute = 30;
    r.schedule.month = 12;
    r.schedule.dayOfMonth = 24;
    r.schedule.minutesPast = 15;
    r.schedule.interval = 0x0102;
    r.schedule.weekday = 2;
    r.schedule.year = 2026;
    r.schedule.pm = 1;
    r.topMostOnly = 1;
    r.modified = 46000.5;  // 9 December 2025, noon
    return r;
}

struct Byte {
    std::size_t offset;
    std::uint8_t value;
};

TEST(MacroRecord, FieldsLandAtTheirOffsets) {
    const RecordBytes b = sample().encode();
    ASSERT_EQ(b.size(), 5165u);
    const Byte expected[] = {
        {0, 12},      {1, 'S'},     {12, 's'},   {13, 0},       {51, 18},   {52, 'U'},   {69, 'd'},  {82, 0},
        {93, 0x06},   {94, 0x01},   {95, 2},     {96, 0},       {97, 1},    {98, 0xEF},  {99, 0xBE}, {100, 'K'},
        {113, '\r'},  {114, '\n'},  {117, 'n'},  {118, 0},      {5100, 0},  {5101, 4},   {5102, 'M'}, {5105, 'N'},
        {5106, 0},    {5114, 3},    {5115, 0},   {5116, 1},     {5117, 0},  {5118, 1},   {5123, 9},  {5124, 30},
        {5125, 12},   {5126, 24},   {5127, 15},  {5128, 0x02},  {5129, 0x01}, {5130, 2}, {5131, 0xEA}, {5132, 0x07},
        {5133, 1},    {5134, 1},    {5143, 0},   {5164, 0},
    };
    for (const Byte& e : expected) EXPECT_EQ(b[e.offset], e.value) << "offset " << e.offset;
    double modified = 0;
    std::memcpy(&modified, b.data() + 5135, 8);
    EXPECT_EQ(modified, 46000.5);
}

TEST(MacroRecord, DecodeOfEncodeIsTheSameRecord) {
    const MacroRecord r = sample();
    EXPECT_EQ(MacroRecord::decode(r.encode()), r);
    const RecordBytes again = MacroRecord::decode(r.encode()).encode();
    EXPECT_EQ(again, r.encode());
}

TEST(MacroRecord, ReservedBytesTravelThrough) {
    RecordBytes b = sample().encode();
    for (std::size_t i = 5143; i < 5165; ++i) b[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(MacroRecord::decode(b).encode(), b);
}

TEST(MacroRecord, LongFieldsAreCutToTheirWidths) {
    MacroRecord r;
    r.nickname = std::string(80, 'n');
    r.windowName = std::string(30, 'w') + "xyz";
    r.snipword = "abcdefghijKL";
    r.iconName = "ICONFILE.ICO.BAK";
    r.setText(std::string(6000, 't'));
    const MacroRecord back = MacroRecord::decode(r.encode());
    EXPECT_EQ(back.nickname, std::string(50, 'n'));
    EXPECT_EQ(back.windowName, std::string(30, 'w'));
    EXPECT_EQ(back.snipword, "abcdefghij");
    EXPECT_EQ(back.iconName, "ICONFILE.ICO");
    EXPECT_EQ(back.text(), std::string(5000, 't'));
}

TEST(MacroRecord, DamagedRecordDecodesWithinItsFields) {
    RecordBytes b;
    b.fill(0xFF);
    const MacroRecord r = MacroRecord::decode(b);
    EXPECT_EQ(r.nickname.size(), 50u);
    EXPECT_EQ(r.windowName.size(), 30u);
    EXPECT_EQ(r.snipword.size(), 10u);
    EXPECT_EQ(r.iconName.size(), 12u);
    EXPECT_EQ(r.text().size(), 5000u);  // no zero: the text stops at its limit
    EXPECT_EQ(r.encode()[5100], 0);     // and is written back ending inside its field
}

TEST(PopupItems, ListRoundTripAndRenumbering) {
    MacroRecord r;
    r.scope = ScopePopupMenu;
    writePopupItems(r, {3, 7, 9});
    const RecordBytes b = r.encode();
    const std::uint8_t expected[] = {3, 0, 3, 0, 7, 0, 9, 0, 0};
    for (std::size_t i = 0; i < sizeof expected; ++i) EXPECT_EQ(b[100 + i], expected[i]) << i;
    EXPECT_EQ(readPopupItems(MacroRecord::decode(b)), (std::vector<std::uint16_t>{3, 7, 9}));
    EXPECT_EQ(renumberAfterRemoval({3, 7, 9}, 7), (std::vector<std::uint16_t>{3, 8}));
    EXPECT_EQ(renumberAfterRemoval({7, 7, 2}, 7), (std::vector<std::uint16_t>{2}));
}

TEST(PopupItems, DamagedCountStaysInsideTheField) {
    MacroRecord r;
    r.textField.fill(0xFF);
    EXPECT_EQ(readPopupItems(r).size(), MaxPopupItems);
}

}  // namespace
}  // namespace qln
