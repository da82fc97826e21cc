#pragma once

// The offsets from GMT, in hours, that the zones of the world keep: from -12 (Baker Island) to +14 (Kiritimati).
namespace ZoneOffsets {

constexpr float Westmost = -12.0f;
constexpr float Eastmost = 14.0f;

// An offset that no zone can have (beyond either end, or no number at all) as the nearest one a zone can; any
// other offset, -0 included, exactly as it is.
float nearestPossible(float hours);

} // namespace ZoneOffsets
