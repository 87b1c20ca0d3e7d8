#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace qln::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        for (const auto& f : immutable_) std::system(("chattr -i '" + f + "' 2>/dev/null").c_str());
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Makes a file read-only for everyone, root included (the immutable attribute; plain permissions for
    // others).  false when the file system cannot do it.
    bool makeReadOnly(const std::string& name) {
        const std::string f = file(name);
        if (::geteuid() != 0) {
            std::filesystem::permissions(f, std::filesystem::perms::owner_read);
            return true;
        }
        if (std::system(("chattr +i '" + f + "' 2>/dev/null").c_str()) != 0) return false;
        immutable_.push_back(f);
        return true;
    }

private:
    std::string path_;
    std::vector<std::string> immutable_;
};

}  // namespace qln::test
