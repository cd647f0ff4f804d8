// Touch, pen and mouse on the board, through one road (pointer events): a
// tap or a click picks the tile under it; a swipe or a drag that travels a
// third of a tile or more (never less than a tap's usual drift) moves the
// tile where it began, in the direction of the larger movement. A touch in
// a gap between tiles, or in the few pixels around the board, belongs to
// the nearest tile. What could be either (a second finger, a movement near
// a diagonal, a gesture begun on a board the game has since redrawn) sends
// nothing: `onRefused()` shows that it was not taken.
import { gestureOf } from "./gesture-rules.js";

export function attachGestures(element, { tileAt, pitch, boardShown, onTap, onSwipe, onRefused }) {
  let start = null; // the gesture under way: its pointer, where it began, its tile, the board then

  // A right or a middle click is no gesture, and leaves the focus alone.
  element.addEventListener("mousedown", (event) => event.button !== 0 && event.preventDefault());
  element.addEventListener("pointerdown", (event) => {
    if (event.pointerType === "mouse" && event.button !== 0) return;
    if (!event.isPrimary) {
      start = null; // a second finger: not a gesture of this game
      element.classList.remove("dragging");
      onRefused();
      return;
    }
    const tile = tileAt(event.clientX, event.clientY);
    if (tile === null) return;
    event.preventDefault(); // no focus ring for a pointer, no text selected
    element.setPointerCapture?.(event.pointerId);
    start = { id: event.pointerId, x: event.clientX, y: event.clientY, tile, board: boardShown() };
    element.classList.add("dragging");
  });

  const end = (event, cancelled) => {
    if (start === null || event.pointerId !== start.id) return;
    const { x, y, tile, board } = start;
    start = null;
    element.classList.remove("dragging");
    if (cancelled) return;
    const gesture = board === boardShown() ? gestureOf(event.clientX - x, event.clientY - y, pitch()) : null;
    if (gesture === "tap") onTap(tile);
    else if (gesture === null) onRefused();
    else onSwipe(tile, gesture);
  };
  element.addEventListener("pointerup", (event) => end(event, false));
  element.addEventListener("pointercancel", (event) => end(event, true));
}

// Touches on the terminal do nothing, so that no soft keyboard comes up
// over the game; the keyboard's players reach it by Tab or a click.
export function quietTouches(element) {
  element.addEventListener("touchstart", (event) => event.preventDefault(), { passive: false });
}
