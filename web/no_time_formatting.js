// Linked into the game for the page. Emscripten's C library formats times
// in JavaScript, 6 KB of the game's match3.js, for the C++ library's time
// facet, which every program with std::cout carries; the game never
// formats a time. These take the place of that code: no time is formatted.
mergeInto(LibraryManager.library, {
  strftime: function () { return 0; },
  strftime_l: function () { return 0; },
});
