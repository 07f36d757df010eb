#include "gui/window/frame_hit.h"

bool inButtonStrip(double Y)
{
    return Y >= 2 && Y <= 22;
}

bool inMinimiseRange(double X, double SW)
{
    return X >= SW - 80 && X <= SW - 51;
}

bool inCloseRange(double X, double SW)
{
    return X >= SW - 51 && X <= SW - 10;
}

FrameArea frameAreaAt(double X, double Y, double SW)
{
    if (inButtonStrip(Y) && inMinimiseRange(X, SW))
        return FrameArea::Minimise;
    if (inButtonStrip(Y) && inCloseRange(X, SW))
        return FrameArea::Close;
    if (Y <= 68)
        return FrameArea::DragBand;
    return FrameArea::None;
}
