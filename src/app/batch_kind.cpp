// The table of batch kinds.
#include "app/batch_kind.h"

namespace quillex {

const BatchKindInfo& batchKindInfo(BatchKind kind) {
    static constexpr BatchKindInfo kForward{
        "forward", 1001, 1011, 1011, "Confirm IASCII Conversion", 1501, 10, 12000};
    static constexpr BatchKindInfo kBackward{"backward", 3000, 3030, 3040, "Confirm QMX Conversion",
                                             3510,       25,   12000};
    static constexpr BatchKindInfo kVerify{
        "verify", 2000, 3010, 3020, "Confirm Verification of Q-Marks", 2500, 24, 12010};
    switch (kind) {
    case BatchKind::Forward:
        return kForward;
    case BatchKind::Backward:
        return kBackward;
    case BatchKind::Verify:
        break;
    }
    return kVerify;
}

} // namespace quillex
