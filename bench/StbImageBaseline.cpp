// The stb_image baseline, compiled here with the project's flags so that the
// comparison with the TGA readers is made at equal optimisation.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
