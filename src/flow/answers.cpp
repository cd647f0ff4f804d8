#include "flow/answers.hpp"

#include <iostream>

namespace match3 {

std::string readWord() {
  std::string word;
  std::cin >> word;
  return word;
}

int readNumber() {
  int number = 0;
  std::cin >> number;
  return number;
}

bool isYes(const std::string& word) { return word == "y" || word == "Y"; }

bool isNo(const std::string& word) { return word == "n" || word == "N"; }

}  // namespace match3
