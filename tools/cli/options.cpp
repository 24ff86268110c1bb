#include "cli/options.h"

#include <cstdlib>

namespace velk::cli {

Options::Options(const std::vector<std::string>& args, const std::set<std::string>& withValue,
                 const std::set<std::string>& switches) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            positional_.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (switches.count(name)) {
            present_.insert(name);
        } else if (withValue.count(name)) {
            if (i + 1 >= args.size()) {
                error_ = "option " + arg + " needs a value";
                return;
            }
            present_.insert(name);
            values_.emplace_back(name, args[++i]);
        } else {
            error_ = "unknown option " + arg;
            return;
        }
    }
}

bool Options::has(const std::string& name) const {
    return present_.count(name) != 0;
}

std::optional<std::string> Options::value(const std::string& name) const {
    for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
        if (it->first == name) return it->second;
    }
    return std::nullopt;
}

long Options::integer(const std::string& name, long fallback) {
    const auto text = value(name);
    if (!text) return fallback;
    char* end = nullptr;
    const long parsed = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0') error_ = "--" + name + " needs a whole number";
    return parsed;
}

double Options::number(const std::string& name, double fallback) {
    const auto text = value(name);
    if (!text) return fallback;
    char* end = nullptr;
    const double parsed = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0') error_ = "--" + name + " needs a number";
    return parsed;
}

}  // namespace velk::cli
