#include "window/form1.h"

void Form1::connectExtras()
{
}
