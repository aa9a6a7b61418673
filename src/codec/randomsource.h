#pragma once

// Where sealing and key generation draw their randomness from. Production
// code always uses the operating system's cryptographic generator; tests may
// hand in a deterministic CryptoPP::RandomNumberGenerator of their own.

#include <cryptopp/cryptlib.h>

#include <memory>

namespace pluvexa {

// A new generator seeded from the operating system's cryptographic generator
// (Crypto++ AutoSeededRandomPool), or null when the system cannot seed it.
// Each seal takes a fresh one, so no two seals share session keys or IVs.
std::unique_ptr<CryptoPP::RandomNumberGenerator> new_system_random();

}  // namespace pluvexa
