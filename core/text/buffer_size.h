#pragma once

// The fixed text buffers the Windows calls fill: a path, a settings value, a
// window title (MAX_PATH, for which the portable core has no header).
inline constexpr int kTextBufferChars = 260;
