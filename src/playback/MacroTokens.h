#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "playback/TagRecognizer.h"

namespace qln {

enum class TokenKind : std::uint8_t {
    Character,  // one character typed as it stands; a carriage return without a line feed after it too
    Enter,      // carriage return and line feed: one Enter keystroke
    OpenAngle,  // a "<" that begins no tag, typed as a character
    Tag,
};

// One step of the interpreter over a macro text.
struct MacroToken {
    TokenKind kind = TokenKind::Character;
    std::size_t begin = 0;  // span in the text read: [begin, end)
    std::size_t end = 0;
    std::string_view chars;  // Character, Enter, OpenAngle: the characters typed
    Tag tag;                 // Tag: the tag with its fields; tag.end is where the tag itself ends
    // Blocks opened by the tag.
    //  "<BEGCLIP>": the clipboard text, part of this token; the "<ENDCLIP>" after it is a token of its own.
    //    Without an "<ENDCLIP>" the block runs up to the last character of the macro text and goes nowhere; that
    //    last character is read on its own (a second time when it is the block's own ">": see `reread`).
    //  "<REPEAT:", "<PROMPTREP>": the text up to the first "<ENDREP>", which every pass but the last plays as a
    //    macro text of its own (tokens of `body`).  The last pass reads on inline: the body is not part of this
    //    token, the tokens after it are.
    std::string_view body;
    bool closed = false;  // the block's closing keyword was found
    // The interpreter reads this character again although it belongs to the token before (the ">" of a
    // "<BEGCLIP>" that ends the text).  Rendering leaves it out.
    bool reread = false;
};

// The tokens of a macro text, read lazily in the interpreter's order.
class MacroTokens {
public:
    explicit MacroTokens(std::string_view text) : text_(text) {}

    class iterator {
    public:
        using iterator_concept = std::input_iterator_tag;
        using value_type = MacroToken;
        using difference_type = std::ptrdiff_t;

        iterator() = default;
        const MacroToken& operator*() const { return token_; }
        const MacroToken* operator->() const { return &token_; }
        iterator& operator++() {
            read();
            return *this;
        }
        void operator++(int) { read(); }
        bool operator==(std::default_sentinel_t) const { return done_; }

    private:
        friend class MacroTokens;
        explicit iterator(std::string_view text) : text_(text) { read(); }
        void read();

        std::string_view text_;
        std::size_t pos_ = 0;
        MacroToken token_;
        bool done_ = false;
    };

    iterator begin() const { return iterator(text_); }
    std::default_sentinel_t end() const { return {}; }

private:
    std::string_view text_;
};

std::vector<MacroToken> tokenize(std::string_view text);

// Text back from tokens: literal tokens give their characters, tags their keyword and every part of their fields
// (separators, closing characters and what lies beyond a field's cut included), a "<BEGCLIP>" its clipboard text.
// render(tokenize(text)) == text for every text.
void appendTag(std::string& out, const Tag& tag);
std::string renderTag(const Tag& tag);
void appendToken(std::string& out, const MacroToken& token);
std::string render(std::span<const MacroToken> tokens);

}  // namespace qln
