/// @file
/// 16-bit pixels: the active pixel layout, colour conversion, the standard
/// colours and the clamp tables of the additive blend.
///
/// Files always hold RGB565 (red 15..11, green 10..5, blue 4..0). In memory a
/// bound sprite or a surface holds the *active* layout described by PixelMode:
/// 565, 555 (red 14..10, green 9..5, blue 4..0) or a general layout given by
/// per-channel widths, shifts and masks. The programs select 565 at start-up and
/// never change it. Conversions are plain shifts and masks, no tables.
///
/// All of this is process-wide state, selected once by the program's main
/// thread before any worker thread starts (binding on a worker thread reads
/// PixelMode); the clamp tables are built safely on first use.
#ifndef VANTREL_PIXEL_H
#define VANTREL_PIXEL_H

#include <atomic>
#include <cstdint>

/// One 16-bit pixel: RGB565 in files, the active layout in memory; 0 (pure
/// black) is the transparent colour of the artwork.
using Pixel16 = uint16_t;

/// A pixel layout: the code that picks the library's conversions, and each
/// channel's width, lowest bit and mask.
struct PixelModeRecord {
    int32_t modeCode = 0;  ///< 565, 555, or anything else for a general layout
    ///@{
    /// Bits of each channel.
    int32_t redBits = 0;
    int32_t greenBits = 0;
    int32_t blueBits = 0;
    ///@}
    ///@{
    /// The lowest bit of each channel.
    int32_t redShift = 0;
    int32_t greenShift = 0;
    int32_t blueShift = 0;
    ///@}
    ///@{
    /// Each channel's bits within the pixel (0 until a SelectPixelLayout call).
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    ///@}
};

/// The active layout. Starts all zero.
extern PixelModeRecord PixelMode;

/// How many standard colours there are.
constexpr int kStandardColourCount = 23;
/// The standard colours in the active layout, computed when a layout is
/// selected (all 0 before).
extern Pixel16 StandardColours[kStandardColourCount];

///@{
/// ClampTableN[i] = min(i, 2^N - 1): indexed with the sum of two channel values,
/// so the additive blend needs no comparison.
extern uint8_t ClampTable4[32];
extern uint8_t ClampTable5[64];
extern uint8_t ClampTable6[128];
///@}
/// Set while the clamp tables have not been built; InitBlendTables clears it
/// once the tables are complete.
extern std::atomic<uint8_t> BlendTablesPending;

/// Fills the bit counts and shifts of the 565 layout (not the masks, not the
/// mode code) and returns the mode code 565 for the caller to store.
uint16_t SetPixelMode565();

/// What every program does at start-up: store the code SetPixelMode565 returns
/// and compute the standard colours in that mode.
void SelectProgramPixelMode();

///@{
/// Complete layout selections, masks and standard colours included, for
/// callers that need PixelToRgb or the drawing of other layouts to be
/// meaningful.
void SelectPixelLayout565();
void SelectPixelLayout555();
///@}
/// A general layout: any mode code other than 565 and 555 makes the library
/// use the widths, shifts and masks. The 565 and 555 fields select those codes.
/// Refused (false, the mode unchanged) unless every field is at least one bit
/// wide, fits in 16 bits and overlaps no other.
bool SelectPixelLayout(int redBits, int redShift, int greenBits, int greenShift, int blueBits,
                       int blueShift);

/// Back to the all-zero record, the standard colours cleared and the clamp
/// tables pending again (for tests).
void ResetPixelMode();

/// Truncating RGB -> 565: r 0..7 give red 0, g 0..3 give green 0.
Pixel16 RgbTo565(int r, int g, int b);
/// As RgbTo565, but only pure black becomes 0: a channel with any light that
/// truncation would drop keeps the smallest non-zero value of its field.
Pixel16 RgbTo565NonBlack(int r, int g, int b);
/// Re-packs a 565 pixel into the active layout.
Pixel16 ConvertFrom565(Pixel16 p);
/// Decodes an active-layout pixel into 8-bit channels (channel bits on top,
/// low bits zero). Reads the masks: with zero masks every channel is 0.
void PixelToRgb(Pixel16 p, int32_t& r, int32_t& g, int32_t& b);

/// Computes StandardColours in the active layout.
void InitStandardColours();

/// Builds the clamp tables if they are pending. Safe to call from several
/// threads at once: one builds, the others wait until the tables are complete.
void InitBlendTables();

#endif
