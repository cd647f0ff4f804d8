#include "flow/answers.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "console/byte_streams.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

using namespace std::string_literals;

// Reads from `input` as `reads` says, W a word and N a number, and gives
// each result as text, then the state the input is left in.
std::vector<std::string> readAll(const std::string& input, std::string_view reads) {
  const testing::CapturedConsole console{input};
  std::vector<std::string> results;
  for (const char read : reads) {
    results.emplace_back(read == 'W' ? std::string(readWord().view())
                                     : std::to_string(readNumber()));
  }
  const ByteInput& state = standardInput();
  results.emplace_back(state.failed ? "failed" : state.ended ? "at end" : "good");
  return results;
}

TEST(Answers, ReadWordsAndNumbersByTheGamesRules) {
  struct Case {
    std::string input;
    std::string_view reads;
    std::vector<std::string> results;
  };
  const std::string longWord(40, 'y');
  const Case cases[] = {
      {"+5 -5 -0 007 -0012 ", "NNNNN", {"5", "-5", "0", "7", "-12", "good"}},
      {"2147483647 -2147483648 1 ", "NNN", {"2147483647", "-2147483648", "1", "good"}},
      {"2147483648 5 r", "NNW", {"2147483647", "0", "", "failed"}},
      {"-2147483649 5", "NN", {"-2147483648", "0", "failed"}},
      {"99999999999999999999999999999 5", "NN", {"2147483647", "0", "failed"}},
      {"3r 0x5 3.5\n", "NWNWNW", {"3", "r", "0", "x5", "3", ".5", "good"}},
      {"- 5", "NN", {"0", "0", "failed"}},
      {"x 5", "NW", {"0", "", "failed"}},
      {"+-5", "N", {"0", "failed"}},
      {"a\0b\xff\x80 \x1cy\n"s, "WW", {"a\0b\xff\x80"s, "\x1cy", "good"}},
      {" \t\n\v\f\rn\t3\v", "WN", {"n", "3", "good"}},
      {"yes", "WW", {"yes", "", "failed"}},
      {"12", "NW", {"12", "", "failed"}},
      {"-", "N", {"0", "failed"}},
      {"", "W", {"", "failed"}},
      {" \n ", "N", {"0", "failed"}},
      {longWord + " y ", "WW", {longWord.substr(0, kLongestAnswer + 1), "y", "good"}},
      // A number across the end of the input's first buffer of 8192 bytes.
      {std::string(8190, ' ') + "123 y ", "NW", {"123", "y", "good"}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(readAll(test.input, test.reads), test.results)
        << ::testing::PrintToString(test.input);
  }
  EXPECT_FALSE(isYes(readAll(longWord, "W").front()));
}

// Why two number reads failed, and the token of a number not read: as far
// as it was buffered, never waiting for more.
TEST(Answers, SayWhyTheReadsFailed) {
  const std::pair<std::string, std::string> cases[] = {
      {"3 4 x", "none"},
      {"3,4\n", "number ,4"},
      {"3 -x y", "number -x"},
      {"99999999999999999999 5", "number 99999999999999999"},
      {"3", "input"},
      {"3 -", "input"},
      {std::string(8190, ' ') + "3 x" + std::string(9000, 'y'), "number x" + std::string(16, 'y')},
  };
  for (const auto& [input, why] : cases) {
    const testing::CapturedConsole console{input};
    static_cast<void>(readNumber() + readNumber());
    const ReadFailure failure = readFailure();
    EXPECT_EQ(failure == ReadFailure::none ? "none"s
              : failure == ReadFailure::endOfInput
                  ? "input"s
                  : "number "s + std::string(unreadNumber().view()),
              why)
        << input.substr(0, 40);
  }
}

#if defined(__GLIBCXX__)
// The rules are those the game has always had through GNU's stream library:
// random answers, bytes and cut-off scripts read alike both ways.
std::vector<std::string> readAllByStream(const std::string& input, std::string_view reads) {
  std::istringstream stream(input);
  std::vector<std::string> results;
  for (const char read : reads) {
    if (read == 'W') {
      std::string word;
      stream >> word;
      results.push_back(stream.fail() ? "" : word.substr(0, kLongestAnswer + 1));
    } else {
      int number = 0;
      stream >> number;
      results.push_back(std::to_string(number));
    }
  }
  results.emplace_back(stream.fail() ? "failed" : stream.eof() ? "at end" : "good");
  return results;
}

TEST(Answers, ReadAsGnusStreamLibraryReads) {
  const std::string script = "y\ny\n3 4\nr\ny\n-0010 +2\nu\nn\n";
  for (std::size_t length = 0; length <= script.size(); ++length) {
    const std::string input = script.substr(0, length);
    EXPECT_EQ(readAll(input, "WWNNWWNNWW"), readAllByStream(input, "WWNNWWNNWW")) << length;
  }
  const std::string alphabet = "0123456789+-+-.xXyn \n\t\r\v\f"s + '\0' + "\xff\x80";
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    const std::size_t length = random() % 40;
    for (std::size_t index = 0; index < length; ++index) {
      input += alphabet[random() % alphabet.size()];
      if (random() % 30 == 0) {
        input += std::string(random() % 25, static_cast<char>('0' + random() % 10));
      }
    }
    std::string reads;
    for (std::size_t count = 0; count < 8; ++count) {
      reads += random() % 2 == 0 ? 'W' : 'N';
    }
    ASSERT_EQ(readAll(input, reads), readAllByStream(input, reads))
        << ::testing::PrintToString(input) << " " << reads;
  }
}
#endif

}  // namespace
}  // namespace match3
