#pragma once

// The title band's mouse areas, on the fractional coordinates a mouse event delivers. Every bound
// is inclusive; SW is the client area's width.

bool inButtonStrip(double Y); // 2 .. 22
bool inMinimiseRange(double X, double SW); // SW - 80 .. SW - 51
bool inCloseRange(double X, double SW); // SW - 51 .. SW - 10

enum class FrameArea { None, Minimise, Close, DragBand };

// What a press at (X, Y) lands on: the minimise button first (it owns X = SW - 51), then the close
// button, then the band above Y = 68 that moves the window.
FrameArea frameAreaAt(double X, double Y, double SW);
