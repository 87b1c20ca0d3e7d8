// Keyword lookup must find exactly what comparing the keywords one by one, in order, would find.
#include <gtest/gtest.h>

#include <random>
#include <set>

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

TEST(Keywords, CatalogueHoldsEveryKeywordOnce) {
    // 141 fixed keywords, 51 date formats, 26 time formats (their {N} and {Y} forms share one keyword).
    EXPECT_EQ(keywordsInOrder().size(), 141u + 51u + 26u);
    std::set<std::string_view> seen;
    for (const Keyword& k : keywordsInOrder()) EXPECT_TRUE(seen.insert(k.text).second) << k.text;
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
