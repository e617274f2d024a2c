// Processors without a vector version: everything goes the portable way.
#include "TgaRowsSimd.h"

int64_t SwapBgrPixelsSimd(uint8_t*, int64_t) {
    return 0;
}
int64_t SwapBgrRowsSimd(uint8_t*, uint8_t*, int64_t) {
    return 0;
}
int64_t ConvertBgrxPixelsSimd(const uint8_t*, uint8_t*, int64_t) {
    return 0;
}
