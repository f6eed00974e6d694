#include "pictures/resources.h"

extern "C" const unsigned char lnf_resources_begin[];
extern "C" const unsigned char lnf_resources_end[];

namespace lnf {

const ResourcePack& EmbeddedResources() {
    static const ResourcePack pack(
        std::span<const uint8_t>(lnf_resources_begin, size_t(lnf_resources_end - lnf_resources_begin)));
    return pack;
}

}  // namespace lnf
