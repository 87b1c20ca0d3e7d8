#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace qln::test {

// true when permission bits do not stop this process (root's case): tests of refused access skip then.
inline bool runningAsRoot();

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        namespace fs = std::filesystem;
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("quillon-test-" + std::to_string(random()));
            if (fs::create_directory(candidate)) path_ = candidate.string();
        }
        if (path_.empty()) throw std::runtime_error("no fresh temporary folder");
        fs::permissions(path_, fs::perms::owner_all);
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
        if (!runningAsRoot()) {
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

// Asked of the file system once: can we read a file nobody may read, or write one nobody may write?
inline bool runningAsRoot() {
    static const bool privileged = [] {
        namespace fs = std::filesystem;
        TempFolder probe;
        probe.write("closed", "x");
        fs::permissions(probe.file("closed"), fs::perms::none);
        probe.write("read-only", "x");
        fs::permissions(probe.file("read-only"), fs::perms::owner_read);
        return std::ifstream(probe.file("closed")).is_open() ||
               std::ofstream(probe.file("read-only"), std::ios::app).is_open();
    }();
    return privileged;
}

}  // namespace qln::test
