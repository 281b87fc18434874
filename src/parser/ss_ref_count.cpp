// SSRefCount: releasing a reference.
#include "parser/ss_ref_count.h"

#include "parser/ss_exception.h"

namespace quillex {

void SSRefCount::refDec(bool free) {
    if (count_ == 0)
        throwSSException(SSExceptionId::RefCountNegative);
    if (--count_ == 0 && free)
        refFree();
}

} // namespace quillex
