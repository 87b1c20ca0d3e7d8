#include "app/CommandLine.h"

#include <cctype>

namespace qln {

std::vector<StartSwitch> readCommandLine(const std::vector<std::string>& args) {
    using Kind = StartSwitch::Kind;
    std::vector<StartSwitch> out;
    for (const std::string& arg : args) {
        std::string upper = arg;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper == "/HIDE") {
            out.push_back({Kind::Hide});
        } else if (upper == "/B") {
            out.push_back({Kind::Browse});
        } else if (upper == "/BA") {
            out.push_back({Kind::BrowseAll});
        } else if (upper == "/S") {
            out.push_back({Kind::AutoSync});
        } else if (upper == "/N") {
            out.push_back({Kind::NetworkMode});
        } else if (upper.rfind("/SM", 0) == 0) {
            const std::string digits = upper.substr(3);
            if (digits.empty() || digits.size() > 2) continue;
            bool allDigits = true;
            for (const char d : digits) allDigits = allDigits && std::isdigit(static_cast<unsigned char>(d));
            const int minutes = allDigits ? std::stoi(digits) : 0;
            if (minutes >= 1 && minutes <= 98) out.push_back({Kind::SyncMinutes, minutes});
        } else if (upper.rfind("/F", 0) == 0 && arg.size() > 2) {
            out.push_back({Kind::File, 0, arg.substr(2)});
        }
    }
    return out;
}

}  // namespace qln
