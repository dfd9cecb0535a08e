#include "view/Projection.h"

#include <cmath>

double ZoomFromPosition(int position) {
    return static_cast<double>(static_cast<Extended>(position) / 10.0L);
}

bool ScreenCoordinate(Extended quotient, std::int32_t centre, std::int32_t& coordinate) {
    // Both limits are exact in extended, and no extended lies between 2^63 - 1
    // and 2^63 - 0.5, which would round up to 2^63. A NaN fails both tests.
    if (!(quotient >= -0x1p63L && quotient <= 0x1p63L - 1.0L)) return false;
    // Rounds in the current mode, to nearest with halves to even.
    const long long rounded = std::llrint(quotient);
    const auto low = static_cast<std::uint32_t>(static_cast<unsigned long long>(rounded));
    coordinate = static_cast<std::int32_t>(low + static_cast<std::uint32_t>(centre));
    return true;
}

bool ProjectNode(const TNode& node, double zoom, std::int32_t eyeDistance, TScreenPoint& point) {
    const Extended scale = zoom;
    const Extended xz = static_cast<double>(node.X * scale);
    const Extended yz = static_cast<double>(node.Y * scale);
    const Extended zz = static_cast<double>(node.Z * scale);
    const Extended eye = static_cast<Extended>(eyeDistance);
    const Extended depth = eye + zz;
    if (depth == 0) return false;
    return ScreenCoordinate(eye * xz / depth, 400, point.X) &&
           ScreenCoordinate(eye * yz / depth, 300, point.Y);
}
