#include "console/console.hpp"
#include "flow/game.hpp"

int main() {
  const match3::TerminalSession terminal;
  match3::runGame();
  return 0;
}
