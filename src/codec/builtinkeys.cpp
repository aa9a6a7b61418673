#include "codec/builtinkeys.h"

#include "builtinkeys_data.h"

#include <algorithm>

namespace pluvexa {
namespace {

static_assert(sizeof(kOwnPrivateKey) == kPrivateKeyRecordSize,
              "own.private must be a 706-byte private key record");
static_assert(sizeof(kCentralPublicKey) == kPublicKeyRecordSize,
              "central.public must be a 258-byte public key record");

template <typename Record>
Record to_record(const unsigned char* bytes)
{
    Record r;
    std::copy_n(bytes, r.size(), r.begin());
    return r;
}

}  // namespace

const PrivateKeyRecord& own_private_key()
{
    static const PrivateKeyRecord key = to_record<PrivateKeyRecord>(kOwnPrivateKey);
    return key;
}

const PublicKeyRecord& central_public_key()
{
    static const PublicKeyRecord key = to_record<PublicKeyRecord>(kCentralPublicKey);
    return key;
}

bool builtin_keys_are_demonstration()
{
    return PLUVEXA_DEMO_KEYS != 0;
}

}  // namespace pluvexa
