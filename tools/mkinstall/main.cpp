// mkinstall DIR: writes a small sample installation into DIR (created when
// missing): the data files of a maximum install, the colour and font files,
// the language files and a configuration that logs in to 127.0.0.1.  No real
// game data is used: every picture, sound and text is generated here.
#include <cstdio>
#include <filesystem>

#include "Sample.h"

namespace mkinstall {

void Output::bytes(const std::string& name, const tw::datafiles::Bytes& data) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path(), ignored);
    if (!tw::datafiles::WriteBytes(path(name), data)) {
        fprintf(stderr, "mkinstall: cannot write '%s'\n", path(name).c_str());
        ++failures_;
    }
    total_ += static_cast<long long>(data.size());
}

void Output::text(const std::string& name, const std::string& data) {
    bytes(name, tw::datafiles::Bytes(data.begin(), data.end()));
}

void Output::pair(const std::string& index, const std::string& data,
                  const tw::datafiles::IndexedPair& pair) {
    bytes(index, pair.indexBytes());
    bytes(data, pair.data());
}

}  // namespace mkinstall

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        fprintf(stderr, "mkinstall: cannot create '%s': %s\n", argv[1], error.message().c_str());
        return 1;
    }
    mkinstall::Output out(argv[1]);
    mkinstall::SampleWorld world = tw::datafiles::sample::MakeSampleWorld();
    mkinstall::AddEffectArt(world);
    mkinstall::WriteSettings(out);
    mkinstall::WriteArt(out, world);
    mkinstall::WriteGumpArt(out);
    mkinstall::WriteAnimations(out, world);
    mkinstall::WriteWorld(out, world);
    mkinstall::WriteTextAndColour(out, world);
    mkinstall::WriteSoundsAndSkills(out);
    if (out.failures()) return 1;
    printf("mkinstall: wrote a sample installation of %lld bytes to '%s'\n", out.total(), argv[1]);
    return 0;
}
