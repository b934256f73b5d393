#include "arguments.h"

#include <charconv>

#include "cli_error.h"

namespace velokrom::cli {

std::string Arguments::valueOf(const std::string& option) {
    if (empty()) throw CliError(option + " needs a value");
    return take();
}

void Arguments::valueOnce(const std::string& option, std::string& field) {
    if (!field.empty()) throw CliError(option + " is given twice");
    field = valueOf(option);
}

bool Arguments::asksForHelp() const {
    for (size_t i = next_; i < words_.size(); ++i)
        if (words_[i] == "--help" || words_[i] == "-h") return true;
    return false;
}

bool isOption(const std::string& word) { return word.size() > 1 && word[0] == '-' && (word[1] < '0' || word[1] > '9'); }

int64_t parseMaxMegapixels(const std::string& text) {
    return int64_t{1'000'000} * parseInteger(text, 1, 100'000, "--max-megapixels");
}

int32_t parseInteger(const std::string& text, int32_t low, int32_t high, const std::string& what) {
    int32_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (text.empty() || error != std::errc() || end != last)
        throw CliError(what + ": '" + text + "' is not a whole number");
    if (value < low || value > high)
        throw CliError(what + ": " + text + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

std::vector<int32_t> parseIntegerList(const std::string& text, size_t count, int32_t low, int32_t high,
                                      const std::string& what) {
    std::vector<int32_t> values;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        values.push_back(parseInteger(text.substr(start, comma - start), low, high, what));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (values.size() != count)
        throw CliError(what + ": '" + text + "' needs " + std::to_string(count) + " comma-separated numbers");
    return values;
}

} // namespace velokrom::cli
