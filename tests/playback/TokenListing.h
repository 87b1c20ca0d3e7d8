#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "TagDescription.h"
#include "playback/MacroTokens.h"

namespace qln::test {

inline std::string escaped(std::string_view s) {
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 32 || c >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out;
}

// Tokens in words, one entry each, with their spans; runs of single characters are joined into one entry:
// "'ab' 0-2", "CRLF 2-4", "<? 4-5" (a "<" that is no tag), "<MSD: ms=0250 5-15".  Blocks add their body
// ("clip=", "body=", or "open=" when the closing keyword is missing); a character read twice starts with "again".
inline std::vector<std::string> listing(std::string_view text) {
    std::vector<std::string> out;
    std::string run;
    std::size_t runBegin = 0, runEnd = 0;
    const auto flush = [&] {
        if (run.empty()) return;
        out.push_back("'" + escaped(run) + "' " + std::to_string(runBegin) + "-" + std::to_string(runEnd));
        run.clear();
    };
    for (const MacroToken& t : MacroTokens(text)) {
        if (t.kind == TokenKind::Character && !t.reread) {
            if (run.empty() || runEnd != t.begin) {
                flush();
                runBegin = t.begin;
            }
            run += t.chars;
            runEnd = t.end;
            continue;
        }
        flush();
        std::string entry = t.reread ? "again '" + escaped(t.chars) + "'" : "";
        if (t.kind == TokenKind::Enter) entry = "CRLF";
        if (t.kind == TokenKind::OpenAngle) entry = "<?";
        if (t.kind == TokenKind::Tag) {
            entry = describe(t.tag);
            const TagKind k = t.tag.kind();
            if (k == TagKind::BegClip || k == TagKind::Repeat || k == TagKind::PromptRep)
                entry += std::string(!t.closed               ? " open="
                                     : k == TagKind::BegClip ? " clip="
                                                             : " body=") +
                         escaped(t.body);
        }
        out.push_back(entry + " " + std::to_string(t.begin) + "-" + std::to_string(t.end));
    }
    flush();
    return out;
}

}  // namespace qln::test
