// The game's WebAssembly, compiled as it downloads. A module of its own, so
// that the page's head runs it before the page's script has arrived; the
// page's script imports this same module, and with it the compiled game.
let compiled = null;

// The compiled game, once for every game the page plays; after a failed
// download, the next call tries again.
export function compileGame() {
  compiled ??= WebAssembly.compileStreaming(fetch("match3.wasm")).catch((error) => {
    compiled = null;
    throw error;
  });
  return compiled;
}

compileGame().catch(() => {}); // the page's first game says so if it fails
