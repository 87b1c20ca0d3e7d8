// Keyword lookup must find exactly what comparing the keywords one by one, in order, would find.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "playback/Keywords.h"

namespace qln {
namespace {

// The keyword text found by comparing each keyword in the documented order; "" when none matches.
std::string_view orderedComparison(std::string_view text, std::size_t pos) {
    for (const Keyword& k : keywordsInOrder())
        if (text.substr(pos).starts_with(k.text)) return k.text;
    return {};
}

std::string_view lookup(std::string_view text, std::size_t pos) {
    const Keyword* k = matchKeyword(text, pos);
    return k ? k->text : std::string_view();
}

TEST(Keywords, EachIsRecognisedAtItsFullLengthOnly) {
    for (const Keyword& k : keywordsInOrder()) {
        const std::string kw(k.text);
        EXPECT_EQ(lookup(kw, 0), k.text);
        EXPECT_EQ(lookup("ab" + kw + "x>", 2), k.text);
        const Keyword* found = matchKeyword(kw, 0);
        ASSERT_NE(found, nullptr) << kw;
        EXPECT_EQ(found->kind, k.kind) << kw;
        EXPECT_EQ(found->value, k.value) << kw;
        EXPECT_EQ(matchKeyword(kw.substr(0, kw.size() - 1), 0), nullptr) << kw;
        EXPECT_EQ(matchKeyword(kw.substr(0, kw.size() - 1) + "?", 0), nullptr) << kw;
    }
}

TEST(Keywords, OrderOfComparisonAtBothEnds) {
    const auto all = keywordsInOrder();
    ASSERT_GT(all.size(), 20u);
    const auto texts = [&](std::size_t from, std::size_t n) {
        std::vector<std::string_view> out;
        for (std::size_t i = from; i < from + n; ++i) out.push_back(all[i].text);
        return out;
    };
    using V = std::vector<std::string_view>;
    EXPECT_EQ(texts(0, 6), (V{"<TAB>", "<ENTER>", "<RIGHTWIN>", "<LEFTWIN>", "<APP>", "<BACKSPACE>"}));
    EXPECT_EQ(texts(all.size() - 3, 3), (V{"<hh:mma{", "<hh.mma{", "<hh,mma{"}));
    // The fixed keywords end with the window commands; the 51 dates and then the 26 times follow.
    const auto isDate = [](const Keyword& k) { return k.kind == TagKind::Date; };
    const auto firstDate = std::find_if(all.begin(), all.end(), isDate);
    ASSERT_NE(firstDate, all.end());
    const auto d = static_cast<std::size_t>(firstDate - all.begin());
    ASSERT_GE(d, 4u);
    EXPECT_EQ(texts(d - 4, 5), (V{"<WMAX:", "<WMIN:", "<WCLS:", "<WRES:", "<MM/DD/YY{"}));
    ASSERT_EQ(all.size(), d + 51 + 26);
    EXPECT_EQ(texts(d + 50, 2), (V{"<Day of Week 4{", "<hh:mm{"}));
    for (std::size_t i = 0; i < 77; ++i) {
        EXPECT_EQ(all[d + i].kind, i < 51 ? TagKind::Date : TagKind::Time) << all[d + i].text;
        EXPECT_EQ(std::size_t{all[d + i].value}, i < 51 ? i + 1 : i - 50) << all[d + i].text;
    }
}

TEST(Keywords, NoKeywordIsAPrefixOfAnother) {
    for (const Keyword& a : keywordsInOrder())
        for (const Keyword& b : keywordsInOrder()) {
            if (&a != &b) {
                EXPECT_FALSE(b.text.starts_with(a.text)) << a.text << " / " << b.text;
            }
        }
}

TEST(Keywords, EveryKeywordAndItsNearMissesMatchAsInOrder) {
    for (const Keyword& k : keywordsInOrder()) {
        const std::string kw(k.text);
        std::vector<std::string> texts = {kw, kw + "tail>", "x" + kw, kw.substr(0, kw.size() - 1)};
        for (std::size_t i = 1; i < kw.size(); ++i) {
            std::string changed = kw;
            changed[i] = static_cast<char>(changed[i] ^ 0x20);  // flips case of letters
            texts.push_back(changed);
            texts.push_back(kw.substr(0, i));
        }
        for (const std::string& t : texts) {
            const std::size_t pos = t.find('<');
            if (pos == std::string::npos) continue;
            EXPECT_EQ(lookup(t, pos), orderedComparison(t, pos)) << t;
        }
    }
}

TEST(Keywords, RandomTextsMatchAsInOrder) {
    // Texts built from keyword pieces hit the near misses that matter.
    std::mt19937 rng(12345);
    const auto all = keywordsInOrder();
    std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        const std::string_view a = all[pick(rng)].text;
        const std::string_view b = all[pick(rng)].text;
        std::string t = "<" + std::string(a.substr(1, rng() % a.size())) + std::string(b.substr(1 + rng() % (b.size() - 1)));
        EXPECT_EQ(lookup(t, 0), orderedComparison(t, 0)) << t;
    }
}

TEST(Keywords, CaseMatters) {
    EXPECT_EQ(matchKeyword("<enter>", 0), nullptr);
    ASSERT_NE(matchKeyword("<ENTER>", 0), nullptr);
    EXPECT_EQ(matchKeyword("<", 0), nullptr);
    EXPECT_EQ(matchKeyword("", 0), nullptr);
}

}  // namespace
}  // namespace qln
