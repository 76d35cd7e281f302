// emf2bmp IN.emf OUT.bmp [SCALE | WIDTHxHEIGHT]
// Renders an enhanced metafile on white into a 24-bit BMP: at its own frame
// size in pixels of the device it was recorded on, multiplied by SCALE (a
// whole number, default 1), or at the given pixel size.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tests/e2e/e2e_support.h"

using namespace merrowin::e2e;

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) {
        std::fputs("usage: emf2bmp IN.emf OUT.bmp [SCALE | WIDTHxHEIGHT]\n", stderr);
        return 2;
    }
    HENHMETAFILE emf = ::GetEnhMetaFileW(argv[1]);
    if (!emf) {
        std::fputs("emf2bmp: not an enhanced metafile\n", stderr);
        return 1;
    }
    const SIZE frame = FramePixels(*EmfHeader(emf));
    int width = frame.cx, height = frame.cy;
    if (argc == 4) {
        int w = 0, h = 0, scale = 0;
        if (std::swscanf(argv[3], L"%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
            width = w;
            height = h;
        } else if (std::swscanf(argv[3], L"%d", &scale) == 1 && scale > 0) {
            width *= scale;
            height *= scale;
        } else {
            std::fputs("emf2bmp: bad size\n", stderr);
            ::DeleteEnhMetaFile(emf);
            return 2;
        }
    }
    const Picture picture = RenderEmf(emf, width, height);
    ::DeleteEnhMetaFile(emf);
    if (picture.width == 0 || !WriteBmp(picture, argv[2])) {
        std::fputs("emf2bmp: cannot write the bitmap\n", stderr);
        return 1;
    }
    std::printf("%dx%d\n", width, height);
    return 0;
}
