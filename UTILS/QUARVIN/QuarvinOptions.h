// Quarvin's options: process-wide for the whole run, changed by the keys and
// the command-line flags, never saved. Border and Feather are never on
// together: switching one on switches the other off.
#ifndef UTILS_QUARVIN_QUARVIN_OPTIONS_H
#define UTILS_QUARVIN_QUARVIN_OPTIONS_H

extern bool Border;   // paint a one-pixel outline around each frame
extern bool Feather;  // blended edge pixels, alpha images
extern int Offset;    // number of the first frame file: 0 or 1

// Back to Border off, Feather on, Offset 0 (start-up; tests).
void ResetQuarvinOptions();

// Switching Border or Feather on switches the other off.
void SetBorder(bool on);
void SetFeather(bool on);

// The options as one batch uses them: taken once, when its frame is chosen
// (no key can arrive while a batch runs).
struct ShipOptions {
    bool border;
    bool feather;
    int offset;
};
ShipOptions CurrentShipOptions();

#endif
