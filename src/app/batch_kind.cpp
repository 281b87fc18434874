// The table of batch kinds.
#include "app/batch_kind.h"

namespace quillex {

const BatchKindInfo& batchKindInfo(BatchKind kind) {
    static constexpr BatchKindInfo kForward{"forward",
                                            MessageId::ForwardFileDialogTitle,
                                            MessageId::ForwardFileFilter,
                                            MessageId::ForwardFileFilter,
                                            "Confirm IASCII Conversion",
                                            MessageId::ForwardConfirmLine,
                                            10,
                                            MessageId::ConvertingFile};
    static constexpr BatchKindInfo kBackward{"backward",
                                             MessageId::BackwardFileDialogTitle,
                                             MessageId::RtfOrCatalogFileFilter,
                                             MessageId::TextOrCatalogFileFilter,
                                             "Confirm QMX Conversion",
                                             MessageId::BackwardConfirmLine,
                                             25,
                                             MessageId::ConvertingFile};
    static constexpr BatchKindInfo kVerify{"verify",
                                           MessageId::VerifyFileDialogTitle,
                                           MessageId::RtfFileFilter,
                                           MessageId::TextFileFilter,
                                           "Confirm Verification of Q-Marks",
                                           MessageId::VerifyConfirmLine,
                                           24,
                                           MessageId::VerifyingFile};
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
