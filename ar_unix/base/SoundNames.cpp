// The sound-name index: names in sound-id order, hashed into 293 buckets.
// Nothing in the client looks a sound up by name; the index is kept for the
// tools that do.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "OssSound.h"

namespace {

constexpr int kBuckets = 293;

// The names we know, by sound id; the others have no name here and are not
// indexed.
struct KnownName {
    int id;
    const char* name;
};
constexpr KnownName kKnownNames[] = {
    {0, "aaaenvir_d_frst01"},
    {1, "aaaenvir_d_frst02"},
    {2, "aaaenvir_d_frst03"},
    {3, "aaaenvir_d_jung01"},
    {OssSound::NumSndFx - 1, "monster_lava_lizard_5"},
};

using Bucket = std::vector<std::pair<std::string, int>>;

const std::vector<Bucket>& Index() {
    static const std::vector<Bucket> index = [] {
        std::vector<Bucket> buckets(kBuckets);
        for (const KnownName& known : kKnownNames)
            buckets[static_cast<size_t>(SoundNameHash(known.name))].emplace_back(known.name,
                                                                                 known.id);
        return buckets;
    }();
    return index;
}

}  // namespace

int SoundNameHash(const char* name) {
    // Bytes are taken unsigned: a signed byte above 127 would make the
    // bucket negative.
    unsigned int hash = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c != 0; ++c)
        hash = (*c + 64u * hash) % kBuckets;
    return static_cast<int>(hash);
}

int OssSound::LookupSoundName(const char* name) {
    if (name == nullptr) return 0;
    for (const auto& entry : Index()[static_cast<size_t>(SoundNameHash(name))])
        if (entry.first == name) return entry.second;
    return 0;
}
