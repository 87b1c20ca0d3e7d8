#pragma once

#include <stdexcept>
#include <string>

namespace qln {

// A file could not be read or written.  Carries the path and the reason; the application's general error
// handler shows both.  It lives with the file interface, the lowest layer that raises it.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string reason)
        : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// The system's text for an error number, for messages.
std::string systemReason(int error);

}  // namespace qln
