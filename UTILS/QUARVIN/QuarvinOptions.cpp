#include "QuarvinOptions.h"

bool Border = false;
bool Feather = true;
int Offset = 0;

void ResetQuarvinOptions() {
    Border = false;
    Feather = true;
    Offset = 0;
}

void SetBorder(bool on) {
    Border = on;
    if (Border) Feather = false;
}

void SetFeather(bool on) {
    Feather = on;
    if (Feather) Border = false;
}

ShipOptions CurrentShipOptions() {
    return ShipOptions{.border = Border, .feather = Feather, .offset = Offset};
}
