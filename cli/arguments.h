#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velokrom::cli {

// The words of one command line, taken from the front.
class Arguments {
public:
    explicit Arguments(std::vector<std::string> words) : words_(std::move(words)) {}

    bool empty() const { return next_ >= words_.size(); }
    // True when --help or -h is among the words still to come.
    bool asksForHelp() const;
    std::string take() { return words_[next_++]; }
    // The word after the option just taken; throws when the line ends first.
    std::string valueOf(const std::string& option);
    // The same for an option that may appear once: stores the value in field, throws when
    // field already holds one.
    void valueOnce(const std::string& option, std::string& field);

private:
    std::vector<std::string> words_;
    size_t next_ = 0;
};

bool isOption(const std::string& word);

// The value of --max-megapixels, a whole number of megapixels (1..100000), as pixels.
int64_t parseMaxMegapixels(const std::string& text);

// A decimal integer in [low, high], the whole text; throws with what as the subject.
int32_t parseInteger(const std::string& text, int32_t low, int32_t high, const std::string& what);

// Comma-separated decimal integers, exactly count of them, each in [low, high].
std::vector<int32_t> parseIntegerList(const std::string& text, size_t count, int32_t low, int32_t high,
                                      const std::string& what);

} // namespace velokrom::cli
