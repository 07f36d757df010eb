#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// How many pixels of a screenshot, from `at` on, differ from the picture's source rectangle.
inline int pictureDifferences(const QImage &shot, const QPoint &at, const QImage &picture,
                              const QRect &source)
{
    int count = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            count += shot.pixel(at.x() + x, at.y() + y) != picture.pixel(source.x() + x, source.y() + y);
    }
    return count;
}
