// Touch, pen and mouse on the board, through one road (pointer events): a
// tap or a click picks the tile under it; a swipe or a drag that travels a
// third of a tile or more moves the tile where it began, in the direction
// of the larger movement. A touch in a gap between tiles belongs to the
// nearest; a second finger, or a touch that begins off the board, sends
// nothing.
export function attachGestures(element, { tileAt, pitch, onTap, onSwipe }) {
  let start = null; // the gesture under way: its pointer, where it began, its tile

  element.addEventListener("pointerdown", (event) => {
    if (event.pointerType === "mouse" && event.button !== 0) return;
    if (!event.isPrimary) {
      start = null; // a second finger: not a gesture of this game
      element.classList.remove("dragging");
      return;
    }
    const tile = tileAt(event.clientX, event.clientY);
    if (tile === null) return;
    event.preventDefault(); // no focus ring for a pointer, no text selected
    element.setPointerCapture?.(event.pointerId);
    start = { id: event.pointerId, x: event.clientX, y: event.clientY, tile };
    element.classList.add("dragging");
  });

  const end = (event, cancelled) => {
    if (start === null || event.pointerId !== start.id) return;
    const { x, y, tile } = start;
    start = null;
    element.classList.remove("dragging");
    if (cancelled) return;
    const across = event.clientX - x;
    const down = event.clientY - y;
    const reach = pitch() / 3;
    if (Math.abs(across) < reach && Math.abs(down) < reach) onTap(tile);
    else if (Math.abs(across) > Math.abs(down)) onSwipe(tile, across > 0 ? "r" : "l");
    else onSwipe(tile, down > 0 ? "d" : "u");
  };
  element.addEventListener("pointerup", (event) => end(event, false));
  element.addEventListener("pointercancel", (event) => end(event, true));
}

// Touches on the terminal do nothing, so that no soft keyboard comes up
// over the game; the keyboard's players reach it by Tab or a click.
export function quietTouches(element) {
  element.addEventListener("touchstart", (event) => event.preventDefault(), { passive: false });
}
