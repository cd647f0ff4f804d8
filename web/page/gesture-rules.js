// What a movement on the board means, by how far it went across and down
// (CSS pixels) on tiles `pitch` pixels apart: "tap"; a swipe "r", "l", "d"
// or "u"; or null for a movement near a diagonal, which could mean either.
const kLeastReach = 12; // a tap's drift, on any size of tile
const kNearDiagonal = 10; // degrees either side of one

export function gestureOf(across, down, pitch) {
  const reach = Math.max(pitch / 3, kLeastReach);
  if (Math.abs(across) < reach && Math.abs(down) < reach) return "tap";
  const angle = (Math.atan2(Math.abs(down), Math.abs(across)) * 180) / Math.PI;
  if (Math.abs(angle - 45) < kNearDiagonal) return null;
  if (angle < 45) return across > 0 ? "r" : "l";
  return down > 0 ? "d" : "u";
}
