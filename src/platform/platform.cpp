// What both platform sides share.
#include "platform/platform.h"

#include <cstring>

namespace varnet::platform {

bool operator==(const Guid& a, const Guid& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

} // namespace varnet::platform
