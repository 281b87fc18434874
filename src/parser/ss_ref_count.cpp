// SSRefCount: releasing a reference.
#include "parser/ss_ref_count.h"

#include "parser/ss_exception.h"

namespace quillex {

void SSRefCount::countBelowZero() {
    throwSSException(SSExceptionId::RefCountNegative);
}

} // namespace quillex
