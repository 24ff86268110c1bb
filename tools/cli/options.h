// Command-line options of the subcommands: positional arguments, "--flag" switches and
// "--key value" pairs.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velk::cli {

class Options {
  public:
    // `withValue` names the options that take a value, `switches` those that do not. Unknown
    // options and a missing value make `error()` non-empty.
    Options(const std::vector<std::string>& args, const std::set<std::string>& withValue,
            const std::set<std::string>& switches);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // The value as an integer or a decimal number; `fallback` when absent. Malformed numbers
    // set error().
    long integer(const std::string& name, long fallback);
    double number(const std::string& name, double fallback);
    const std::string& error() const { return error_; }

  private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::set<std::string> present_;
    std::string error_;
};

}  // namespace velk::cli
