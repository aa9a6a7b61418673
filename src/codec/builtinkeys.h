#pragma once

// The two keys compiled into the program: its own key pair's private record
// (signs what it seals, opens what the central seals for it) and the card
// central's public record (the one recipient of every sealed file, and the
// key that checks the central's signatures). The build takes them from
// PLUVEXA_KEY_DIR; the central's private key is never part of the program.

#include "codec/keyrecord.h"

namespace pluvexa {

const PrivateKeyRecord& own_private_key();
const PublicKeyRecord& central_public_key();

// True when the compiled-in keys are the repository's demonstration keys
// (keys/demo), which protect nothing; a deployment builds with its own.
bool builtin_keys_are_demonstration();

}  // namespace pluvexa
