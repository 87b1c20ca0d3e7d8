#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qln::test {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline Result qlntool(const std::vector<std::string>& args) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto out = dir / ("qlntool-out-" + std::to_string(::getpid()));
    const auto err = dir / ("qlntool-err-" + std::to_string(::getpid()));
    std::string cmd = shellQuote(QLN_QLNTOOL);
    for (const auto& a : args) cmd += " " + shellQuote(a);
    cmd += " >" + shellQuote(out.string()) + " 2>" + shellQuote(err.string()) + " </dev/null";
    const int status = std::system(cmd.c_str());
    Result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(out);
    r.err = slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

}  // namespace qln::test
