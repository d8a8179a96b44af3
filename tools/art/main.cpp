// tolvenar-art OUTDIR [--preview DIR]
// Draws the game's 36 pictures and writes them as the BMP files the game
// embeds. The output depends on nothing but this code: two runs give the same bytes.
#include <cstdio>
#include <cstring>
#include <string>

#include "image_files.h"
#include "pictures.h"
#include "preview.h"

int main(int argc, char** argv) {
    std::string out;
    std::string preview;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
            preview = argv[++i];
        } else if (argv[i][0] != '-' && out.empty()) {
            out = argv[i];
        } else {
            out.clear();
            break;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: tolvenar-art OUTDIR [--preview DIR]\n");
        return 2;
    }
    for (int slot = 0; slot < art::PICTURE_COUNT; slot++) {
        const art::PictureInfo& info = art::Info(slot);
        const art::Picture p = art::MakePicture(slot);
        if (p.w != info.w || p.h != info.h) {
            std::fprintf(stderr, "tolvenar-art: %s came out %dx%d, not %dx%d\n", info.file, p.w, p.h, info.w, info.h);
            return 1;
        }
        const std::string path = out + "/" + info.file;
        if (!art::WriteFile(path, art::EncodeBmp24(p))) {
            std::fprintf(stderr, "tolvenar-art: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!preview.empty() && !art::WritePreviews(preview)) {
        std::fprintf(stderr, "tolvenar-art: cannot write the previews into %s\n", preview.c_str());
        return 1;
    }
    return 0;
}
