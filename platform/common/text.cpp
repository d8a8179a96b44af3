// Text drawing: placeholder until the display font is wired in.
#include "canvas.h"
#include "platform.h"

void DrawText(Canvas*, int, int, const char*) {}
void PrepareText(const char*) {}
