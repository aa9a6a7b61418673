#include "codec/randomsource.h"

#include <cryptopp/osrng.h>

namespace pluvexa {

std::unique_ptr<CryptoPP::RandomNumberGenerator> new_system_random()
{
    try {
        return std::make_unique<CryptoPP::AutoSeededRandomPool>();
    } catch (const CryptoPP::Exception&) {
        return nullptr;
    }
}

}  // namespace pluvexa
