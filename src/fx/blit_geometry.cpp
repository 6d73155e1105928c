#include "fx/blit_geometry.h"

#include "fx/float_to_int.h"

#include <algorithm>

bool planBlit(float cx, float cy, float width, float height, std::int32_t spanX,
              std::int32_t spanY, std::int32_t targetWidth, std::int32_t targetHeight,
              BlitGeometry& geometry)
{
    // Written so that NaN counts as below 1.
    if (!(width >= 1.0f) || !(height >= 1.0f))
        return false;

    const float rightEdge = static_cast<float>(static_cast<double>(cx) + width / 2.0);
    const float bottomEdge = static_cast<float>(static_cast<double>(cy) + height / 2.0);
    const float leftEdge = static_cast<float>(static_cast<double>(cx) - width / 2.0);
    const float topEdge = static_cast<float>(static_cast<double>(cy) - height / 2.0);

    const std::int64_t stepX =
        truncToInt(spanX / (static_cast<double>(rightEdge) - leftEdge) * 65536.0);
    const std::int64_t stepY =
        truncToInt(spanY / (static_cast<double>(bottomEdge) - topEdge) * 65536.0);

    std::int64_t left = truncToInt(leftEdge);
    std::int64_t top = truncToInt(topEdge);
    std::int64_t right = truncToInt(rightEdge);
    std::int64_t bottom = truncToInt(bottomEdge);

    if (left >= targetWidth || top >= targetHeight || right <= 0 || bottom <= 0)
        return false;

    // The accumulators start one step in: each target pixel samples the
    // source point under its right (bottom) edge.
    std::int64_t u = truncToInt(stepX - stepX * (leftEdge - static_cast<double>(left)));
    std::int64_t v = truncToInt(stepY - stepY * (topEdge - static_cast<double>(top)));

    if (left < 0) {
        u -= left * stepX;
        left = 0;
    }
    if (top < 0) {
        v -= top * stepY;
        top = 0;
    }
    if (bottom >= targetHeight)
        bottom = targetHeight - 1;
    if (right >= targetWidth)
        right = targetWidth - 1;
    if (top >= bottom)
        return false;

    // For any real rectangle the steps and accumulators are never negative;
    // only infinite or NaN geometry can make them so, and then the walk is
    // held at the source's first pixel instead of leaving it.
    geometry.left = static_cast<std::int32_t>(left);
    geometry.top = static_cast<std::int32_t>(top);
    geometry.right = static_cast<std::int32_t>(right);
    geometry.bottom = static_cast<std::int32_t>(bottom);
    geometry.startU = std::max<std::int64_t>(u, 0);
    geometry.startV = std::max<std::int64_t>(v, 0);
    geometry.stepX = std::max<std::int64_t>(stepX, 0);
    geometry.stepY = std::max<std::int64_t>(stepY, 0);
    return true;
}
