#pragma once

#include <iterator>
#include <random>
#include <string>

namespace vemo::test {

// Inputs for the randomized robustness tests of the file readers: mutated fixtures, random text from
// the formats' alphabet and pure noise, from a fixed seed so that every run checks the same inputs.
class Mutator {
public:
    explicit Mutator(unsigned seed) : rng_(seed) {}

    // One of: a fixture with a few edits, random bytes from the formats' alphabet, or pure noise.
    std::string Next(const std::string& seed) {
        switch (Pick(4)) {
        case 0:
            return RandomText(Pick(400));
        case 1: {
            std::string noise(Pick(300), '\0');
            for (char& c : noise) {
                c = static_cast<char>(Pick(256));
            }
            return noise;
        }
        default:
            return Mutate(seed);
        }
    }

private:
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

    // Bytes that mean something to the readers: separators, quotes, line ends, digits, signs,
    // exponents, CP932 lead bytes and the record codes.
    std::string Token() {
        static const char* const tokens[] = {",", "\"", "\r\n", "\n", "\r", " ", "\t", "-", "+", ".", "e", "E", "1",
                                             "9", "0", "A01", "D00", "B01", "D99", "\x81", "\x82\xa0", "\x00", "1e308",
                                             "99999999999999999999", "inf", "nan", "$7FFFFFFF", "A",
                                             // settings sections and keys, traverse turns and wild angles
                                             "[", "]", "=", "[Trvs]", "ErrDiv=", "T", "K", "359.5959", "1e300"};
        std::string t = tokens[Pick(std::size(tokens))];
        return t.empty() ? std::string(1, '\0') : t;
    }

    std::string RandomText(size_t tokens) {
        std::string text;
        for (size_t i = 0; i < tokens; ++i) {
            text += Token();
        }
        return text;
    }

    std::string Mutate(std::string text) {
        size_t edits = 1 + Pick(6);
        for (size_t i = 0; i < edits; ++i) {
            size_t at = Pick(text.size() + 1);
            switch (Pick(4)) {
            case 0:
                text.insert(at, Token());
                break;
            case 1:
                text.erase(at, Pick(8));
                break;
            case 2:
                if (at < text.size()) {
                    text[at] = static_cast<char>(Pick(256));
                }
                break;
            default:
                text.insert(at, text.substr(Pick(text.size() + 1), Pick(300)));
            }
        }
        return text;
    }

    std::mt19937 rng_;
};

} // namespace vemo::test
