// tolvenar-wavegen OUTDIR: writes fire.wav (wave 137) and land.wav (wave 138).
#include <cstdio>
#include <string>

#include "effects.h"
#include "wave_file.h"

namespace {
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "tolvenar-wavegen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "tolvenar-wavegen: error writing %s\n", path.c_str());
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvenar-wavegen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    Stereo fire = SynthFire();
    Stereo land = SynthLand();
    const bool ok = WriteFile(dir + "/fire.wav", EncodeWave(Master(fire, -1.5, 0.12))) &&
                    WriteFile(dir + "/land.wav", EncodeWave(Master(land, -1.5, 0.16)));
    return ok ? 0 : 1;
}
