#pragma once

#include <string_view>

namespace match3 {

// The terminal's restore at every end the game cannot see coming: a signal
// that ends it (Ctrl-C, kill, a crash, a timer, a limit) writes `restore`
// first, then goes where it went before; one that stops it (Ctrl-Z, a read
// or write from the background) writes `restore`, and `resume` once the
// game goes on in the foreground. Signals the game was started with
// ignored stay ignored. Both texts are kept and written without
// allocating; each is at most a few dozen bytes.
void takeTerminalSignals(std::string_view restore, std::string_view resume);

// The game's own end restores the terminal itself: from here on a signal
// writes nothing more.
void releaseTerminalSignals();

}  // namespace match3
