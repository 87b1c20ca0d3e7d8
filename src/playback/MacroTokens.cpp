#include "playback/MacroTokens.h"

#include <algorithm>

namespace qln {

namespace {

// The clipboard block: its text up to "<ENDCLIP>".  Without one the interpreter goes on at the last character
// of the text, which may be the block's own ">".
void clipBlock(std::string_view text, MacroToken& t) {
    const std::size_t close = text.find("<ENDCLIP>", t.tag.end);
    t.closed = close != std::string_view::npos;
    t.end = t.closed ? close : std::max(t.tag.end, text.size() - 1);
    t.body = text.substr(t.tag.end, t.end - t.tag.end);
}

void repeatBlock(std::string_view text, MacroToken& t) {
    const std::size_t close = text.find("<ENDREP>", t.tag.end);
    t.closed = close != std::string_view::npos;
    if (t.closed) t.body = text.substr(t.tag.end, close - t.tag.end);
}

}  // namespace

void MacroTokens::iterator::read() {
    if (pos_ >= text_.size()) {
        done_ = true;
        return;
    }
    const std::size_t previousEnd = token_.end;
    token_ = MacroToken{};
    token_.begin = pos_;
    token_.reread = pos_ < previousEnd;
    const char c = text_[pos_];
    if (c != '<') {
        const bool enter = c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
        token_.kind = enter ? TokenKind::Enter : TokenKind::Character;
        token_.end = pos_ + (enter ? 2 : 1);
    } else if ((token_.tag = recognizeTag(text_, pos_))) {
        token_.kind = TokenKind::Tag;
        token_.end = token_.tag.end;
        switch (token_.tag.kind()) {
            case TagKind::BegClip:
                clipBlock(text_, token_);
                break;
            case TagKind::Repeat:
            case TagKind::PromptRep:
                repeatBlock(text_, token_);
                break;
            default:
                break;
        }
    } else {
        token_.kind = TokenKind::OpenAngle;
        token_.end = pos_ + 1;
    }
    if (token_.kind != TokenKind::Tag) token_.chars = text_.substr(pos_, token_.end - pos_);
    // An unclosed clipboard block hands the last character of the text back to the reader.
    const bool openClip = token_.kind == TokenKind::Tag && token_.tag.kind() == TagKind::BegClip && !token_.closed;
    pos_ = openClip ? text_.size() - 1 : token_.end;
}

std::vector<MacroToken> tokenize(std::string_view text) {
    std::vector<MacroToken> tokens;
    for (const MacroToken& t : MacroTokens(text)) tokens.push_back(t);
    return tokens;
}

void appendTag(std::string& out, const Tag& tag) {
    out += tag.keyword->text;
    for (const std::string_view part : tag.parts.inOrder()) out += part;
}

std::string renderTag(const Tag& tag) {
    std::string out;
    appendTag(out, tag);
    return out;
}

void appendToken(std::string& out, const MacroToken& token) {
    if (token.reread) return;
    if (token.kind != TokenKind::Tag) {
        out += token.chars;
        return;
    }
    appendTag(out, token.tag);
    if (token.tag.kind() == TagKind::BegClip) out += token.body;
}

std::string render(std::span<const MacroToken> tokens) {
    std::string out;
    for (const MacroToken& t : tokens) appendToken(out, t);
    return out;
}

}  // namespace qln
