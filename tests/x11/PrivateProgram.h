#pragma once

#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/TempFolder.h"

namespace qln::test {

// A program under a name no other running program has: a hard link to it (a copy across file systems) in a
// private folder.  /proc/PID/exe names the file that was started, links resolved, so a test that looks its program
// up among all running processes finds only its own, however many runs of it go on at once.
class PrivateProgram {
public:
    // The name is `stem`, this process's id and a serial number, with a dash on each side of the numbers so
    // that no such name is part of another.
    PrivateProgram(const std::string& program, const std::string& stem) {
        static int serial = 0;
        name_ = stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + "-";
        path_ = folder_.file(name_);
        if (::link(program.c_str(), path_.c_str()) != 0) {
            std::error_code ec;
            std::filesystem::copy_file(program, path_, ec);
            if (ec) throw std::runtime_error("cannot copy " + program + " to " + path_ + ": " + ec.message());
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        }
    }
    PrivateProgram(const PrivateProgram&) = delete;
    PrivateProgram& operator=(const PrivateProgram&) = delete;

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }

private:
    TempFolder folder_;
    std::string name_;
    std::string path_;
};

}  // namespace qln::test
